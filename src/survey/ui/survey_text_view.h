// The text view of the survey's result windows: read-only plain text with
// tab stops every half inch, as the printed report has them.
#pragma once

#include <QString>

class QTextEdit;
class QWidget;

QTextEdit *makeSurveyTextView(QWidget *parent);
// Shows a text with CR LF line ends.
void setSurveyText(QTextEdit *view, const QString &text);
