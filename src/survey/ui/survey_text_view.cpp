#include "survey/ui/survey_text_view.h"

#include <QTextEdit>

QTextEdit *makeSurveyTextView(QWidget *parent)
{
    auto *view = new QTextEdit(parent);
    view->setReadOnly(true);
    view->setLineWrapMode(QTextEdit::NoWrap);
    view->setTabStopDistance(view->logicalDpiX() / 2.0);
    return view;
}

void setSurveyText(QTextEdit *view, const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (view->toPlainText() != t) {
        view->setPlainText(t);
    }
}
