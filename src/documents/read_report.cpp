#include "documents/read_report.h"

#include "platform/file_errors.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/version.h"

namespace vornel {

bool reportRead(const FileRead &read, const QString &openError, const QString &name)
{
    if (!read.opened) {
        platform().messageBox(kProductName, withReason(openError, read.error), MsgButtons::Ok, MsgIcon::None);
        return false;
    }
    if (!read.complete) {
        platform().messageBox(QStringLiteral("Error Reading File"),
                              withReason(QStringLiteral("Cannot read all of the characters in ") + name, read.error),
                              MsgButtons::Ok,
                              MsgIcon::Information);
    }
    return true;
}

QString cantOpenFile(const QString &path)
{
    return QStringLiteral("Can't open file: ") + path;
}

} // namespace vornel
