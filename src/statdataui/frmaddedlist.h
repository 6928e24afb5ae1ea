#pragma once
// frmAddedList: a modal list of comma-separated lines under a header row,
// from which the user may confirm one row for deletion. The registration
// window shows clashing registrations with it (no delete button) and the
// registered data to pick one for deletion (with it).
//
// Common use:
//   frmAddedList list;
//   list.setFormTitle(...); list.setHeader(header); list.setDataList(lines);
//   list.setButtonVisible(true);
//   list.Show();
//   if (list.OKFlag()) use list.SelectedData()->front();
//
// The grid: column 0 the row number (250 twips), columns 1.. the fields
// (2000 twips), column 3 hidden (width 0), column 7 only the file name of its
// field. The clicked row is painted green (the only selection mark).
#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

class QPushButton;
class QTableWidget;

class frmAddedList : public QDialog
{
    Q_OBJECT
public:
    explicit frmAddedList(QWidget *owner = nullptr);

    void setFormTitle(const QString &title) { m_title = title; }
    void setButtonVisible(bool visible) { m_buttonVisible = visible; }
    void setHeader(const QString &header) { m_header = header; }
    void setDataList(std::vector<QString> lines) { m_data = std::move(lines); }
    bool OKFlag() const { return m_ok; }
    // The confirmed line; nothing before a confirmation.
    const std::optional<std::vector<QString>> &SelectedData() const { return m_selected; }

    // Loads the dialog from the properties and shows it modally.
    int Show();

    void MSFlexGrid1_Click(int row);
    void cmdRun_Click();
    void cmdCancel_Click();
    void SetCellText(int row, int col, const QString &text);

    QTableWidget *MSFlexGrid1 = nullptr;
    QPushButton *cmdRun = nullptr;
    QPushButton *cmdCancel = nullptr;

public:
    void done(int result) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void InitGridHeader();
    void FillGrid();

    QString m_title;
    bool m_buttonVisible = false;
    QString m_header;
    std::vector<QString> m_data;
    bool m_ok = false;
    std::optional<std::vector<QString>> m_selected;
    int intFieldCount = 0;
    int lngSelectedRow = 0;
};
