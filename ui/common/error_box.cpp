#include "ui/common/error_box.h"

#include <QApplication>
#include <QMessageBox>

void ShowErrorBox(const QString& text, QWidget* parent) {
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

QString ErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Erreur inconnue.");
    }
}
