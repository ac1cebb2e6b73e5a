// The standard error message box: errors raised while a window is created or in an event
// handler are shown here, and the program goes on.
#pragma once

#include <QString>
#include <exception>

class QWidget;

void ShowErrorBox(const QString& text, QWidget* parent = nullptr);

// The text an exception shows; `error` is the exception being handled (std::current_exception).
QString ErrorText(const std::exception_ptr& error);
