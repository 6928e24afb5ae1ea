#pragma once
// CoolBar: the strip of bands above the main frame's document area. Each
// band holds one child (a tool bar or the scale box) and an optional
// caption in front of it. Visible bands stand side by side in band order and
// wrap onto a further row when the strip is too narrow, so every button
// stays reachable.
//
// Bands are numbered from 1 in the order they were added. A band's height
// is the larger of its child's preferred height and the minimum height the
// frame fits it to. The strip reports a change of its own height with
// heightChanged(), after which the frame lays its panes out again.
#include <QWidget>
#include <vector>

class QLabel;

namespace veltra::shell {

class CoolBar : public QWidget
{
    Q_OBJECT
public:
    explicit CoolBar(QWidget *parent = nullptr);

    // Adds a band around `child`; returns its number (from 1).
    int addBand(QWidget *child, const QString &caption = QString());
    int bandCount() const { return static_cast<int>(m_bands.size()); }
    QWidget *bandChild(int band) const;
    QString bandCaption(int band) const;
    void setBandVisible(int band, bool visible);
    bool bandVisible(int band) const;
    void setBandMinHeight(int band, int height);
    int bandMinHeight(int band) const;
    // The band's place in the strip (valid after a layout pass).
    QRect bandGeometry(int band) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void heightChanged(int height);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Band
    {
        QWidget *box = nullptr; // the band: caption and child
        QWidget *child = nullptr;
        QLabel *caption = nullptr;
        bool visible = true;
        int minHeight = 0;
    };
    // Places the visible bands for `width`; returns the total height. With
    // `apply` false it only measures.
    int layoutBands(int width, bool apply) const;
    const Band *band(int number) const;
    void relayout();

    std::vector<Band> m_bands;
    int m_lastHeight = -1;
};

} // namespace veltra::shell
