#pragma once
// The main window record: where the frame stood, which view menus carried a
// check mark, and the saved map views of the open document.
//
// Geometry is in twips (15 per pixel at 96 dpi), as stored in ZORPAK.INI.
// Home slot 0 is the view at the last exit, slots 1 to 3 the homes the user
// registers; slot 4 is never read, written or saved. A slot whose scale is 0
// is empty.
#include <array>
#include <cstdint>

struct HomePosition
{
    std::int32_t scale = 0;
    std::int32_t drawCenterX = 0;
    std::int32_t drawCenterY = 0;
    std::int32_t rotateAngle = 0;

    bool operator==(const HomePosition &) const = default;
};

struct WindowInfo
{
    std::int32_t State = 0; // 0 normal, 1 minimised, 2 maximised
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int16_t stsBar = 0;
    std::int16_t toolBar = 0;
    std::int16_t toolBarSize = 0; // carried unchanged between runs
    std::int16_t toolBarMoji = 0; // carried
    std::int16_t listBarIndex = 0; // carried
    std::int16_t ListBarPos = 0; // carried
    std::int16_t dispLegend = 0;
    std::int16_t dispDirction = 0;
    std::int16_t dispAllAreaView = 0;
    std::int16_t dispScale = 0;
    std::array<HomePosition, 5> Home{};

    bool operator==(const WindowInfo &) const = default;
};
