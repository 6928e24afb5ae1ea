#pragma once
// frmAllAreaView: the overview window ("全域図（表示したい場所をクリックして
// ください）"). It shows the document's overview bitmap at the window's
// height with the bitmap's aspect ratio, draws the main view on it (the view
// rectangle turned as the map is turned, with a red top edge; nothing else,
// so the picture stays readable) and
// centres the main map on the point of a plain left click, keeping scale and
// rotation. The view rectangle follows every move and zoom of the main map.
//
// One window at a time, shown modeless and owned by the main frame by the
// overview command, which also checks its menu item; unloading unchecks it,
// releases the engine and ends the story step; it unloads itself when its
// engine goes with its map window. Its placement survives unloading for the
// rest of the run.
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <cstdint>

class QLabel;

namespace zorvik {
class Zorvik;
}

class frmAllAreaView : public QWidget
{
    Q_OBJECT
public:
    explicit frmAllAreaView(QWidget *owner = nullptr);

    // The engine to follow; the first one set is kept and its bitmap loaded.
    void setZorvik(zorvik::Zorvik *engine);
    zorvik::Zorvik *Zorvik() const;
    std::int16_t FormID() const { return 1; }
    // Draws the main view on the clean picture.
    void DrawDispAreaRect();

    // Mouse button released over the picture at (x, y) pixels of the picture.
    void Picture1_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);

    QLabel *Picture1 = nullptr;
    QImage Picture2; // the clean picture

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadOverviewBitmap(const QString &path);

    QPointer<zorvik::Zorvik> m_engine;
};

namespace veltra::mapwindow {

// World point under picture pixel (x, y) of a picture pw x ph that shows the
// overview box of the map extent (cx, cy, w, h) (overviewBox): the picture's
// top left is the box's north-west corner. Rounded to whole numbers, halves
// to even.
void overviewPointToWorld(double x, double y, double pw, double ph, std::int32_t cx, std::int32_t cy,
    std::int32_t w, std::int32_t h, std::int32_t &worldX, std::int32_t &worldY);
// The picture point of world point (x, y), the inverse of overviewPointToWorld
// without its rounding.
QPointF overviewWorldToPoint(double x, double y, double pw, double ph, std::int32_t cx, std::int32_t cy,
    std::int32_t w, std::int32_t h);

// The overview command of the main frame: unloads the window when the menu
// item is checked, otherwise makes the bitmap, shows the window on gobjZor and
// checks the item.
void toggleOverview();
// Makes the bitmap and shows the overview window on `engine` (the menu
// item's check is the caller's).
void showOverview(zorvik::Zorvik *engine);
// Unloads the overview window when it is open.
void unloadOverview();
// Whether the overview window is open.
bool overviewShown();
// Draws the main view on the open overview again (after a change the
// engine reports no event for, such as a rotation).
void redrawOverviewView();

} // namespace veltra::mapwindow
