#pragma once
// frmNotDatArea: the list of areas without data ("統計データが無い地域リスト"),
// one entry per area name, each name once. Graph creation shows it and adds
// the areas it found no value for; a new instance starts empty (Form_Load),
// so its owner makes a new one for each graph.
#include <QWidget>

class QTreeWidget;

class frmNotDatArea : public QWidget
{
    Q_OBJECT
public:
    explicit frmNotDatArea(QWidget *owner = nullptr);

    // Adds the area name at the end unless an entry has exactly that text.
    void Disp(const QString &strArea);

    QTreeWidget *lstNotDatArea = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
};
