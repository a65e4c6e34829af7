#include "dialogs/dialog_result.h"

namespace vornel {

QString &dialogResultText()
{
    static QString text;
    return text;
}

} // namespace vornel
