#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;

namespace shownTexts {

// The texts a widget and its children show: labels, buttons, group boxes, tabs, headers, list
// and tree rows, combo boxes, placeholders, tool tips and window titles (markup removed).
QStringList collect(QWidget* root);

// The German table: every source text with its translation(s).
struct Table {
    QHash<QString, QStringList> translations; // source -> German text (plural: every form)
    QSet<QString> german;                     // every German text
    static Table read(const QString& tsPath);
};

// Why TEXT reads as English under the German table, or empty when it does not: it is a source
// text shown untranslated, or no German text and it holds a common English word of the program.
QString whyEnglish(const QString& text, const Table& table);

} // namespace shownTexts
