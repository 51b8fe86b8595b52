#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPoint>

class QCheckBox;
class QDialog;
class QLineEdit;
class QListWidget;
class QRadioButton;

// What both output settings dialogs share: the file layout choice
// (RadioButton2 comma, RadioButton1 fixed width), "張數要展開嗎,每行一張"
// (CheckBox12), and the column list (ListBox1, numbered beside it) filled
// from the catalogue (ListBox2) with "<<選入", "取消>>" and custom texts
// ("自訂文字" Edit2, "<<確定"). Entries keep their Big5 bytes as read.
class ColumnListEditor : public QObject
{
    Q_OBJECT

public:
    struct Placement {
        QPoint layoutAt;       // "文字檔的格式"
        QPoint listAt;         // the numbers column, ListBox1 right of it
        int numberedRows = 24; // rows numbered beside ListBox1
        int catalogueHeight = 370;
        const char *listHint = ""; // beside "(第一個限條碼)"
    };

    ColumnListEditor(QDialog &dialog, const QList<QByteArray> &catalogue, int customTextBytes,
                     const Placement &placement);

    bool fixedWidth() const;
    bool oneLinePerLabel() const;
    QList<QByteArray> columns() const;
    void show(bool fixedWidth, bool oneLinePerLabel, const QList<QByteArray> &columns);
    void clearCustomText();

    // "<<選入": a copy of the chosen catalogue entry goes to the end of the list.
    void addChosenEntry();
    // "取消>>": the chosen list entry goes; the focus returns to the list.
    void removeChosenEntry();
    // "<<確定": "#" + the trimmed custom text, unless only blanks; the box is emptied and focused.
    void addCustomText();
    // The lists' keys (ColumnListKeys); call it after the dialog's Enter-moves-on rule.
    void installKeys(QDialog &dialog);

    QRadioButton *const commaButton;
    QRadioButton *const fixedWidthButton;
    QCheckBox *const oneLinePerLabelBox;
    QListWidget *const columnList;
    QListWidget *const catalogueList;
    QLineEdit *const customTextEdit;
};
