#include "ui/details/header_texts.h"

#include "replay/display_text.h"
#include "replay/replay_texts.h"
#include "ui/common/fonts.h"
#include "ui/details/details_layout.h"

namespace dl = details_layout;

namespace {

// Every text of the details window is 8 points high.
int TextPixels() {
    return PixelsForPoints(8);
}

PlacedText Centred(const QString& text, const QFont& font, int centre, int top) {
    return {text, font, dl::Orange, QPoint(CentredLeft(centre, TextWidth(font, text)), top)};
}

} // namespace

QString DurationText(int32_t seconds) {
    return QString::fromStdString(FormatDuration(seconds));
}

QString MoneyText(int32_t money) {
    return QString::fromStdString(FormatMoney(money));
}

QString ShownText(const Text& bytes) {
    return QString::fromUtf8(DisplayText(bytes));
}

std::vector<PlacedText> HeaderTexts(const TZH_replay& replay) {
    const QFont title = ArialFont(TextPixels(), true);
    const QFont heavy = ArialBlackFont(TextPixels());
    std::vector<PlacedText> texts{
        Centred(ShownText(replay.map.name), title, dl::MapNameCentre, dl::MapNameTop),
        {ShownText(replay.version), heavy, dl::Orange, dl::VersionAt},
        Centred(DurationText(replay.duration), heavy, dl::LengthCentre, dl::LengthTop),
        Centred(MoneyText(replay.money), heavy, dl::MoneyCentre, dl::MoneyTop),
    };
    if (replay.superweaponLimit)
        texts.push_back({QStringLiteral("1 SW"), heavy, dl::Orange, dl::SuperweaponLimitAt});
    if (replay.vanilla)
        texts.push_back({QStringLiteral("Vanilla"), heavy, dl::Orange, dl::VanillaAt});
    return texts;
}

std::vector<PlacedText> ErrorMessageTexts(const QString& contactAddress) {
    const QFont plain = ArialFont(TextPixels());
    return {
        {QStringLiteral("Impossible de lire le replay"), ArialBlackFont(TextPixels()), dl::Orange,
         dl::ErrorTitleAt},
        {QStringLiteral("Merci de me l'envoyer par mail à :"), plain, dl::Grey, dl::ErrorRequestAt},
        {QString(8, QLatin1Char(' ')) + contactAddress, plain, dl::Grey, dl::ErrorAddressAt},
    };
}
