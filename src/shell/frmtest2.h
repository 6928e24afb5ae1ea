#pragma once
// frmTest2 "結果表示": a plain grid window that shows a copy of another grid.
// Ctrl+C writes the whole grid to "OutPut.txt" in the program folder, one
// line per row with the cells joined by commas, each line quoted.
#include <QWidget>

class QTableWidget;

class frmTest2 : public QWidget
{
    Q_OBJECT
public:
    explicit frmTest2(QWidget *owner = nullptr);

    // Copies the size, texts and column widths of `source`.
    void SetSpread(const QTableWidget &source);
    // Writes the grid to the file; false (with `error`) when it cannot.
    bool writeGrid(const QString &path, QString *error = nullptr) const;

    QTableWidget *MSFlexGrid1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool copyKey(QKeyEvent *event);
};
