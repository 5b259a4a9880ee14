#pragma once

// A page whose table singles out some figures (the best of each row) tells
// a report which ones through this interface, so that the report need not
// read them off the cells' looks.

namespace clvn::report {

class TableMarks
{
public:
    virtual ~TableMarks() = default;
    // Whether the figure in `row` and `column` of the last results shown is marked.
    virtual bool isMarked(int row, int column) const = 0;

protected:
    TableMarks() = default;
    TableMarks(const TableMarks &) = default;
    TableMarks &operator=(const TableMarks &) = default;
};

} // namespace clvn::report
