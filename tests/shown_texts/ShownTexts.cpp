#include "ShownTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabBar>
#include <QTextDocument>
#include <QTreeWidget>
#include <QXmlStreamReader>

namespace shownTexts {

namespace {

QString plain(const QString& text) {
    if (!Qt::mightBeRichText(text))
        return text.trimmed();
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText().trimmed();
}

void addModel(QAbstractItemModel* model, const QModelIndex& parent, QStringList& out) {
    for (int r = 0; r < model->rowCount(parent); ++r)
        for (int c = 0; c < model->columnCount(parent); ++c) {
            const QModelIndex index = model->index(r, c, parent);
            out << model->data(index, Qt::DisplayRole).toString()
                << model->data(index, Qt::ToolTipRole).toString();
            if (c == 0 && model->hasChildren(index))
                addModel(model, index, out);
        }
}

} // namespace

QStringList collect(QWidget* root) {
    QStringList out;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        out << w->windowTitle() << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w))
            out << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            out << button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            out << box->title();
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            out << edit->placeholderText();
        else if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                out << tabs->tabText(i);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                out << combo->itemText(i);
        else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            if (QAbstractItemModel* model = header->model()) {
                const int n = header->orientation() == Qt::Horizontal ? model->columnCount()
                                                                      : model->rowCount();
                for (int i = 0; i < n; ++i)
                    out << model->headerData(i, header->orientation()).toString();
            }
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            if (view->model())
                addModel(view->model(), view->rootIndex(), out);
        }
    }
    QStringList shown;
    for (const QString& text : out)
        if (const QString p = plain(text); !p.isEmpty())
            shown << p;
    shown.removeDuplicates();
    return shown;
}

Table Table::read(const QString& tsPath) {
    Table table;
    QFile file(tsPath);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") ||
                   xml.name() == QLatin1String("numerusform")) {
            const bool unfinished =
                xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!unfinished && !text.isEmpty()) {
                table.translations[source] << text;
                table.german.insert(plain(text));
            }
        }
    }
    return table;
}

QString whyEnglish(const QString& text, const Table& table) {
    // Words of the program's English that German does not share ("Name", "Standard", "Start",
    // "Version", "Browser", "Cookies", "Format", "Status" are German as well).
    static const QRegularExpression english(
        QStringLiteral("\\b(the|and|of|to|is|are|not|with|from|this|that|will|cannot|your|all|"
                       "no|yes|none|or|be|it|its|was|were|has|have|Erase|Erased|Erasing|Eraser|"
                       "files?|folders?|Cancel|Select|Selected|Free|Space|Drive|Drives|"
                       "History|Remove|Removed|Delete|Copy|Copies|Close|Search|Settings|Items?|"
                       "Uninstall|Uninstaller|Cleaner|Duplicates?|Finder|Disks?|Refresh|Rename|"
                       "Eject|Mount|Unmount|Stop|Done|Continue|Clear|Empty|Choose|Add|Save|Open|"
                       "Keep|Quit|About|Running|Method|Total|Size|Type|Date|Result|Success|"
                       "Failed|Applications?|Passwords?|Downloads?|Found|Wasted|Groups?|Back|"
                       "Next|Check|Update|Repair|Try|Again|Level|Passes|Show|Hide|Tool|"
                       "Used|Available|Unknown|Untitled|Browsing)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    // The program's name stays as it is in every language.
    QString words = text;
    words.remove(QStringLiteral("Korvane Data Eraser")).remove(QStringLiteral("Data Eraser"));
    const auto known = table.translations.constFind(text);
    if (known != table.translations.cend() && !known->contains(text))
        return QStringLiteral("shown untranslated");
    if (table.german.contains(text))
        return {};
    const QRegularExpressionMatch match = english.match(words);
    return match.hasMatch() ? QStringLiteral("English word \"%1\"").arg(match.captured(1))
                            : QString();
}

} // namespace shownTexts
