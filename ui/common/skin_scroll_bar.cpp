#include "ui/common/skin_scroll_bar.h"

#include <cstdint>

#include "ui/controls/flat_scrollbar.h"

namespace {

constexpr int ButtonLength = 13;
constexpr int ScrollerLength = 10;
constexpr std::int32_t Grey = 0x007F7F7F;

} // namespace

TFlatScrollBar* NewSkinScrollBar(QWidget* parent, const QRect& geometry) {
    auto* bar = new TFlatScrollBar(parent);
    bar->SetKind(sbVertical);
    bar->setGeometry(geometry);
    bar->SetButtonWidth(ButtonLength);
    bar->SetScrollerWidth(ScrollerLength);
    bar->SetColor(Grey);
    bar->SetBarColor(Grey);
    return bar;
}
