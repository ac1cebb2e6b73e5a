// The about and history window: one read-only text over the skin's black panel, scrolled by
// its flat bar and the mouse wheel, closed by the close glyph. Modal; made anew at each opening.
#pragma once

#include <QDialog>

#include "ui/controls/flat_scrollbar.h"
#include "ui/controls/skin_picture.h"
#include "ui/controls/wheel_notches.h"

class TAboutMemo;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* owner);
    ~TAboutForm() override;

    TAboutMemo* AboutMemo = nullptr;
    TFlatScrollBar* Scroll = nullptr;
    // The bar position the text was last brought to.
    int AboutTop = 0;

    void FormCreate();
    void FormShow();
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void ScrollScroll(TFlatCustomScrollBar* Sender, TScrollCode ScrollCode, int& ScrollPos);
    void BackgroundMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int X, int Y);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpScroll();
    void ApplyWheel(QWheelEvent* event);

    SkinPicture skin_;
    WheelNotches wheel_;
};

// The window while it is open; null otherwise.
extern TAboutForm* AboutForm;

// Creates the window centred over `mainWindow`, puts `text` in and gives it `caption`, shows
// it modally and destroys it when it closes.
void ShowAboutWindow(QWidget* mainWindow, const QString& text, const QString& caption);
