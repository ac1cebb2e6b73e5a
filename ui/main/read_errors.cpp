#include "ui/main/read_errors.h"

#include <algorithm>
#include <exception>

#include "replay/GR_Utils.h"
#include "replay/display_text.h"
#include "replay/zerohour.h"

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

ReadOutcome ReadReplayKeepingErrors(const Text& path, const ReplayReader& read,
                                    std::string_view shownPrefix) {
    QString reason;
    try {
        return {read(path), std::nullopt};
    } catch (const ReplayReadError& error) {
        reason = QString::fromUtf8(error.reason());
    } catch (const std::exception& error) {
        reason = QString::fromUtf8(error.what());
    } catch (...) {
        reason = QStringLiteral("Erreur inconnue");
    }
    ReadOutcome outcome;
    outcome.record.file.path = path;
    outcome.record.file.name = Text(shownPrefix) + FileNamePart(path);
    outcome.record.file.size = FileSizeByName(path);
    outcome.record.valid = false;
    outcome.unreadable =
        UnreadableFile{QString::fromUtf8(DisplayText(outcome.record.file.name)), reason};
    return outcome;
}
