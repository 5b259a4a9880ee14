#include "widgets/NumberField.h"

#include "widgets/FieldStyle.h"

namespace clvn {

void NumberField::setResultField(bool on)
{
    m_result = on;
    applyResultFieldStyle(this, on);
}

} // namespace clvn
