#pragma once

// The calculator pages this program has, each described once: the main
// window builds its menu-page buttons, Calculators menu items, page stack,
// titles, help topics and print dispatch from these descriptors. Adding a
// page is one descriptor here and the page itself.

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace clvn {

class CalculatorHost;
class CalculatorPage;
class PrintDispatcher;

struct PageDescriptor
{
    // The page's key and objectName ("HSP"); the page's constructor names
    // itself the same.
    QString name;
    // What the rotated strip shows while the page is active; also the
    // title of its CSV export.
    QString title;
    // Context-help topic of the page (F1, Help).
    int helpTopic = 0;
    // The item in the Calculators menu: caption and objectName.
    QString menuItem;
    QString menuItemName;
    // The suffix of the menu-page button (btn<key>) and of the two pop-up
    // menus' items (mnuPop<key>, mnuPopCalcs<key>).
    QString key;
    // The menu page's button: caption and hint.
    QString button;
    QString buttonHint;
    // Fills and previews the page's report; empty when the page has none.
    // One of PrintDispatcher's operations, or a function that fills a
    // report of its own and hands it to PrintDispatcher::previewReport.
    std::function<void(PrintDispatcher &, QWidget *page)> print = {};
    // Builds the page bound to `host`.
    std::function<CalculatorPage *(CalculatorHost &)> make;
    // Set apart from the ten: a separator before its menu items, and its
    // menu-page button below the text on the left.
    bool apart = false;
    // The section of the settings file that keeps the page's inputs from
    // one run to the next; empty for a page that starts afresh each run.
    QString keptSection = {};
};

// Every page, in the order of the Calculators menu and of the menu page.
const std::vector<PageDescriptor> &pageDescriptors();
// The descriptor named `name`, or null.
const PageDescriptor *findPage(const QString &name);
// Whether the page named `name` has a report.
bool canPrint(const QString &name);
// Prints `page` through its descriptor: nothing for a null or hidden page or
// one without a report. Throws what the report's filling throws.
void printPage(PrintDispatcher &printer, QWidget *page);

// Builds every described page, each bound to `host`. The main window owns
// them once it has put them on its page stack.
std::vector<CalculatorPage *> makeCalculatorPages(CalculatorHost &host);

} // namespace clvn
