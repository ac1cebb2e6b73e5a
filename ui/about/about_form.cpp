#include "ui/about/about_form.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cstdlib>
#include <memory>

#include "resources/pictures.h"
#include "ui/about/about_layout.h"
#include "ui/about/about_memo.h"
#include "ui/about/about_texts.h"
#include "ui/common/centred.h"
#include "ui/common/pointer_position.h"
#include "ui/common/rounded_region.h"
#include "ui/common/skin_scroll_bar.h"

namespace al = about_layout;

TAboutForm* AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), skin_(tarvex::pictures::kAboutSkin) {
    AboutForm = this;
    setFixedSize(al::WindowSize);
    setWindowTitle(CreditsCaption());
    setWindowModality(Qt::ApplicationModal);
    AboutMemo = new TAboutMemo(this);
    AboutMemo->setGeometry(al::MemoRect);
    AboutMemo->viewport()->installEventFilter(this);
    SetUpScroll();
    FormCreate();
}

TAboutForm::~TAboutForm() {
    if (AboutForm == this) AboutForm = nullptr;
}

void TAboutForm::SetUpScroll() {
    Scroll = NewSkinScrollBar(this, al::ScrollRect);
    Scroll->OnScroll = [this](TFlatCustomScrollBar* sender, TScrollCode code, int& position) {
        ScrollScroll(sender, code, position);
    };
}

void TAboutForm::FormCreate() {
    setMask(RoundedRegion(size(), al::CornerEllipse));
    update();
}

void TAboutForm::FormShow() {
    // Whole lines only: the text shows exactly the lines the bar's range leaves out.
    AboutMemo->ShowWholeLines(al::VisibleLines);
    Scroll->SetMax(AboutScrollMax(AboutMemo->DisplayLineCount()));
    Scroll->SetPosition(0);
    AboutTop = 0;
    Scroll->SetScrollerWidth(AboutScrollerWidth(Scroll->height(), Scroll->Max()));
}

void TAboutForm::FormMouseWheelDown() {
    Scroll->SetPosition(Scroll->Position() + al::WheelStep);
}

void TAboutForm::FormMouseWheelUp() {
    Scroll->SetPosition(Scroll->Position() - al::WheelStep);
}

void TAboutForm::ScrollScroll(TFlatCustomScrollBar*, TScrollCode ScrollCode, int& ScrollPos) {
    if (ScrollCode == scPosition) {
        const bool down = ScrollPos > AboutTop;
        for (int n = std::abs(ScrollPos - AboutTop); n > 0; --n)
            AboutMemo->ScrollOneLine(down);
    }
    AboutTop = ScrollPos;
}

void TAboutForm::BackgroundMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    if (al::CloseGlyphArea.contains(QPoint(X, Y))) close();
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
    AboutMemo->setFocus(Qt::ActiveWindowFocusReason);
}

void TAboutForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& skin = skin_.pixmap(devicePixelRatioF());
    if (!skin.isNull()) painter.drawPixmap(0, 0, skin);
}

void TAboutForm::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = WholePixel(event->position());
    BackgroundMouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void TAboutForm::wheelEvent(QWheelEvent* event) {
    ApplyWheel(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    // The text area never scrolls itself on the wheel: the bar moves, and the text with it.
    if (watched == AboutMemo->viewport() && event->type() == QEvent::Wheel) {
        ApplyWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::ApplyWheel(QWheelEvent* event) {
    event->accept();
    // Positive notches turn away from the user.
    for (int notches = wheel_.Add(event->angleDelta().y()); notches != 0;) {
        if (notches < 0) {
            FormMouseWheelDown();
            ++notches;
        } else {
            FormMouseWheelUp();
            --notches;
        }
    }
}

void ShowAboutWindow(QWidget* mainWindow, const QString& text, const QString& caption) {
    auto window = std::make_unique<TAboutForm>(mainWindow);
    window->AboutMemo->SetText(text);
    window->setWindowTitle(caption);
    if (mainWindow) window->move(CentredTopLeft(mainWindow->geometry(), window->size()));
    window->exec();
}
