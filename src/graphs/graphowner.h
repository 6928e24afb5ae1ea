#pragma once
// GraphOwner: the window that owns a graph object (the statistics map window
// or the pyramid window), seen through the controls the graph class and the
// analysis-file class reach by name.
//
// Each accessor answers the control of that name, or nullptr when the window
// has none; index arrays answer nullptr outside their elements. Callers go
// through requireControl(), which turns a missing control into the error of a
// late-bound call to a member the window does not have (MemberNotSupported),
// so the routine that needed it fails as such a call fails. Sizes and
// positions of the controls are read and written in twips by the callers,
// through the screen's twips per pixel.
//
// The windows implement it; tests use a fake with plain widgets.
#include "platform/vb/errors.h"

#include <cstdint>
#include <string>

class PictureBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QScrollBar;
class QWidget;

class GraphOwner
{
public:
    virtual ~GraphOwner() = default;

    // The descriptive statistics of the class histogram.
    virtual QLabel *lblAverage() const { return nullptr; }
    virtual QLabel *lblBunsan() const { return nullptr; }
    virtual QLabel *lblStandard() const { return nullptr; }
    virtual QLabel *lblMax() const { return nullptr; }
    virtual QLabel *lblMin() const { return nullptr; }
    virtual QLabel *lblRange() const { return nullptr; }

    // Classification method buttons 0 to 4 and the class-count list.
    virtual QRadioButton *optMethod(std::int16_t index) const
    {
        (void)index;
        return nullptr;
    }
    virtual QComboBox *cmbFuriwake() const { return nullptr; }

    // The histogram picture, its boundary handles 0 to the class count and
    // the bar they move along.
    virtual PictureBox *picMap() const { return nullptr; }
    virtual PictureBox *picSlider(std::int16_t index) const
    {
        (void)index;
        return nullptr;
    }
    virtual QWidget *shpBar() const { return nullptr; }

    // The correlation coefficient of the scatter diagram.
    virtual QLabel *lblKeisuu() const { return nullptr; }

    // The scroll bar under the bar graph, the frame picture and the bar
    // picture inside it.
    virtual QScrollBar *HScroll1() const { return nullptr; }
    virtual PictureBox *picWaku() const { return nullptr; }
    virtual PictureBox *picGraph() const { return nullptr; }

    // The area level of the analysis (0 nation, 1 prefecture, 2 municipality,
    // 3 town block, -1 none). A window without it answers false from
    // hasAnaRange() and raises MemberNotSupported from both accessors.
    virtual bool hasAnaRange() const { return false; }
    virtual std::int32_t AnaRange() const { throw veltra::vb::MemberNotSupported("AnaRange"); }
    virtual void setAnaRange(std::int32_t value)
    {
        (void)value;
        throw veltra::vb::MemberNotSupported("AnaRange");
    }
    // Map kind buttons 0 to 8.
    virtual QRadioButton *optAnaUnit(std::int16_t index) const
    {
        (void)index;
        return nullptr;
    }
};

// The control, or MemberNotSupported naming it when the owner has none.
template<typename Control>
Control *requireControl(Control *control, const char *name)
{
    if (!control)
        throw veltra::vb::MemberNotSupported(std::string(name));
    return control;
}

// The owner, or ObjectNotSet when no owner window was linked.
inline GraphOwner &requireOwner(GraphOwner *owner)
{
    if (!owner)
        throw veltra::vb::ObjectNotSet("owner form");
    return *owner;
}
