#include "read_errors.h"

#include <algorithm>

QString UnreadableFilesMessage(const std::vector<UnreadableFile>& files) {
    const bool one = files.size() == 1;
    QString text = one ? QStringLiteral("Impossible de lire ce replay :")
                       : QStringLiteral("Impossible de lire ces replays :");
    const std::size_t named = std::min(files.size(), MaxNamedUnreadableFiles);
    for (std::size_t i = 0; i < named; ++i)
        text += QStringLiteral("\n%1 : %2").arg(files[i].name, files[i].reason);
    const std::size_t more = files.size() - named;
    if (more == 1)
        text += QStringLiteral("\net 1 autre.");
    else if (more > 1)
        text += QStringLiteral("\net %1 autres.").arg(more);
    return text;
}
