#include "graphs/gradientramp.h"

#include "platform/vb/convert.h"

namespace veltra::graphs {

namespace {

constexpr std::int32_t bgr(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return red | (green << 8) | (blue << 16);
}

struct Rgb
{
    std::int32_t red, green, blue;
};

} // namespace

const std::vector<NamedRamp> &gradientRamps()
{
    struct Row
    {
        const char16_t *name;
        Rgb right; // Color1
        Rgb left; // Color2
    };
    static const Row rows[] = {
        {u"赤－白 グラデーション", {255, 0, 0}, {255, 255, 255}},
        {u"白－赤 グラデーション", {255, 255, 255}, {255, 0, 0}},
        {u"オレンジ－白 グラデーション", {239, 129, 15}, {255, 255, 255}},
        {u"白－オレンジ グラデーション", {255, 255, 255}, {239, 129, 15}},
        {u"黄－白 グラデーション", {255, 255, 0}, {255, 255, 255}},
        {u"白－黄 グラデーション", {255, 255, 255}, {255, 255, 0}},
        {u"浅葱－白 グラデーション", {0, 133, 155}, {255, 255, 255}},
        {u"白－浅葱 グラデーション", {255, 255, 255}, {0, 133, 155}},
        {u"青－白 グラデーション", {0, 0, 255}, {255, 255, 255}},
        {u"白－青 グラデーション", {255, 255, 255}, {0, 0, 255}},
        {u"紫－白 グラデーション", {167, 87, 168}, {255, 255, 255}},
        {u"白－紫 グラデーション", {255, 255, 255}, {167, 87, 168}},
        {u"葡萄－白 グラデーション", {89, 3, 34}, {255, 255, 255}},
        {u"白－葡萄 グラデーション", {255, 255, 255}, {89, 3, 34}},
        {u"灰－白 グラデーション", {118, 118, 118}, {255, 255, 255}},
        {u"白－灰 グラデーション", {255, 255, 255}, {118, 118, 118}},
        {u"青－赤 グラデーション", {0, 0, 255}, {255, 0, 0}},
        {u"赤－青 グラデーション", {255, 0, 0}, {0, 0, 255}},
        {u"灰－赤 グラデーション", {118, 118, 118}, {255, 0, 0}},
        {u"赤－灰 グラデーション", {255, 0, 0}, {118, 118, 118}},
        {u"オレンジ－青 グラデーション", {239, 129, 15}, {0, 0, 255}},
        {u"青－オレンジ グラデーション", {0, 0, 255}, {239, 129, 15}},
        {u"紫－オレンジ グラデーション", {167, 87, 168}, {239, 129, 15}},
        {u"オレンジ－紫 グラデーション", {239, 129, 15}, {167, 87, 168}},
        {u"緑－赤 グラデーション", {0, 255, 0}, {255, 0, 0}},
        {u"赤－緑 グラデーション", {255, 0, 0}, {0, 255, 0}},
        {u"茶－青緑 グラデーション", {109, 76, 51}, {0, 142, 148}},
        {u"青緑－茶 グラデーション", {0, 142, 148}, {109, 76, 51}},
        {u"紫－緑 グラデーション", {167, 87, 168}, {0, 255, 0}},
        {u"緑－紫 グラデーション", {0, 255, 0}, {167, 87, 168}},
        {u"浅葱－赤 グラデーション", {0, 133, 155}, {255, 0, 0}},
        {u"赤－浅葱 グラデーション", {255, 0, 0}, {0, 133, 155}},
        {u"浅葱－オレンジ グラデーション", {0, 133, 155}, {239, 129, 15}},
        {u"オレンジ－浅葱 グラデーション", {239, 129, 15}, {0, 133, 155}},
    };
    static const std::vector<NamedRamp> ramps = [] {
        std::vector<NamedRamp> list;
        for (const Row &row : rows)
            list.push_back({QString::fromUtf16(row.name),
                {bgr(row.right.red, row.right.green, row.right.blue), bgr(row.left.red, row.left.green, row.left.blue)}});
        return list;
    }();
    return ramps;
}

std::int32_t rampColour(const GradientRamp &ramp, std::int32_t x, std::int32_t width)
{
    if (x < 0 || x >= width)
        return -1;
    const double t = width > 1 ? static_cast<double>(x) / (width - 1) : 0.0;
    std::int32_t colour = 0;
    for (int shift : {0, 8, 16}) {
        const double left = (ramp.Color2 >> shift) & 0xFF;
        const double right = (ramp.Color1 >> shift) & 0xFF;
        const auto channel = static_cast<std::int32_t>(vb::roundHalfEven(left + (right - left) * t));
        colour |= channel << shift;
    }
    return colour;
}

} // namespace veltra::graphs
