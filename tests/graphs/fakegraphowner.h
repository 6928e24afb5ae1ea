#pragma once
// A stand-in for the window that owns a graph object: every control the
// graph and analysis-file classes reach by name, as plain widgets on one
// parent, each of which a test may remove to see a call fail as on a window
// without it.
#include "graphs/graphowner.h"
#include "graphs/picturebox.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>
#include <array>
#include <vector>

class FakeGraphOwner : public GraphOwner
{
public:
    FakeGraphOwner()
    {
        for (QLabel *&label : labels)
            label = new QLabel(&window);
        for (QRadioButton *&button : methods)
            button = new QRadioButton(&window);
        for (QRadioButton *&button : units)
            button = new QRadioButton(&window);
        furiwake = new QComboBox(&window);
        map = new PictureBox(&window);
        bar = new QWidget(&window);
        keisuu = new QLabel(&window);
        scroll = new QScrollBar(Qt::Horizontal, &window);
        waku = new PictureBox(&window);
        graph = new PictureBox(waku);
    }

    QLabel *lblAverage() const override { return labels[0]; }
    QLabel *lblBunsan() const override { return labels[1]; }
    QLabel *lblStandard() const override { return labels[2]; }
    QLabel *lblMax() const override { return labels[3]; }
    QLabel *lblMin() const override { return labels[4]; }
    QLabel *lblRange() const override { return labels[5]; }
    QRadioButton *optMethod(std::int16_t i) const override { return element(methods, i); }
    QComboBox *cmbFuriwake() const override { return furiwake; }
    PictureBox *picMap() const override { return map; }
    PictureBox *picSlider(std::int16_t i) const override { return element(sliders, i); }
    QWidget *shpBar() const override { return bar; }
    QLabel *lblKeisuu() const override { return keisuu; }
    QScrollBar *HScroll1() const override { return scroll; }
    PictureBox *picWaku() const override { return waku; }
    PictureBox *picGraph() const override { return graph; }
    bool hasAnaRange() const override { return true; }
    std::int32_t AnaRange() const override { return anaRange; }
    void setAnaRange(std::int32_t value) override { anaRange = value; }
    QRadioButton *optAnaUnit(std::int16_t i) const override { return element(units, i); }

    // Loads handles 0 to last, as the window does before a histogram.
    void loadSliders(int last)
    {
        while (static_cast<int>(sliders.size()) <= last)
            sliders.push_back(new PictureBox(&window));
    }

    QWidget window;
    std::array<QLabel *, 6> labels{};
    std::array<QRadioButton *, 5> methods{};
    std::array<QRadioButton *, 9> units{};
    std::vector<PictureBox *> sliders;
    QComboBox *furiwake = nullptr;
    PictureBox *map = nullptr;
    QWidget *bar = nullptr;
    QLabel *keisuu = nullptr;
    QScrollBar *scroll = nullptr;
    PictureBox *waku = nullptr;
    PictureBox *graph = nullptr;
    std::int32_t anaRange = 1;

private:
    template<typename List>
    static auto element(const List &list, std::int16_t i) -> typename List::value_type
    {
        if (i < 0 || static_cast<std::size_t>(i) >= list.size())
            return nullptr;
        return list[static_cast<std::size_t>(i)];
    }
};
