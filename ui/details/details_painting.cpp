#include "ui/details/details_painting.h"

#include <QPainter>
#include <cmath>

#include "ui/controls/skin_picture.h"
#include "ui/details/details_layout.h"
#include "ui/details/header_texts.h"
#include "ui/details/map_picture.h"
#include "ui/details/player_rows.h"

namespace dl = details_layout;

QImage SkinBackground(SkinPicture& skin, qreal devicePixelRatio) {
    const QSize pixels(static_cast<int>(std::ceil(dl::WindowSize.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(dl::WindowSize.height() * devicePixelRatio)));
    QImage picture(pixels, QImage::Format_RGB32);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(dl::Black);
    QPainter painter(&picture);
    const QPixmap& drawn = skin.pixmap(devicePixelRatio);
    if (!drawn.isNull()) painter.drawPixmap(0, 0, drawn);
    return picture;
}

void ClearPanel(QPainter& painter) {
    painter.fillRect(dl::ClearedPanel, dl::Black);
}

void PaintHeader(QPainter& painter, const TZH_replay& replay, const MapPicture& mapPicture,
                 SkinPicture& noMap) {
    painter.save();
    // A long map name or a large picture stops at the panel's edge, where the next refresh
    // clears it.
    painter.setClipRect(dl::ClearedPanel);
    const std::vector<PlacedText> texts = HeaderTexts(replay);
    DrawSolidText(painter, texts.front(), dl::Black);
    DrawMapPicture(painter, mapPicture, noMap);
    for (std::size_t i = 1; i < texts.size(); ++i)
        DrawSolidText(painter, texts[i], dl::Black);
    painter.restore();
}

void PaintErrorMessage(QPainter& painter, const QString& contactAddress) {
    painter.save();
    painter.setClipRect(dl::ClearedPanel);
    for (const PlacedText& line : ErrorMessageTexts(contactAddress))
        DrawSolidText(painter, line, dl::Black);
    painter.restore();
}

void PaintPlayerRow(QPainter& painter, const TZH_player& player, const QRect& row,
                    std::span<SkinPicture> armies) {
    painter.save();
    painter.setClipRect(row);
    painter.fillRect(row, dl::Black);
    // The team is drawn over a name long enough to reach it, and the icon over both.
    for (const PlacedText& text : PlayerRowTexts(player, row))
        DrawSolidText(painter, text, dl::Black);
    if (const auto icon = ArmyIconIndex(player.army)) {
        const auto at = static_cast<std::size_t>(*icon);
        if (at < armies.size())
            painter.drawPixmap(ArmyIconAt(row),
                               armies[at].pixmap(painter.device()->devicePixelRatioF()));
    }
    painter.restore();
}
