#pragma once
// The main frame's menu bar as data: every heading, item and separator in
// display order, with its parent, its design caption and its states.
//
// The design caption is what the window design holds: a string-table number
// where the table has the text (LocalizeForm puts the text in when the frame
// loads), the fixed text otherwise. States:
//   - Checkable / Checked: the item shows a check mark, on at start when Checked;
//   - Disabled: created disabled and never enabled by anything;
//   - Hidden: kept in the design but never shown, so never reachable;
//   - MapDependent: enabled only while a map is open (frmMain::SetMenuEnabled);
//   - ProOnly: enabled only in the pro layout (frmMain::MP_OpeMode).
// A heading or item with children is a submenu. The frame builds the bar
// from this table and finds items by name.
#include <cstdint>
#include <span>

namespace veltra::shell {

enum MenuFlag : std::uint16_t {
    MenuNone = 0,
    MenuCheckable = 1 << 0,
    MenuChecked = 1 << 1,
    MenuDisabled = 1 << 2,
    MenuHidden = 1 << 3,
    MenuMapDependent = 1 << 4,
    MenuProOnly = 1 << 5,
    MenuSubmenu = 1 << 6,
    MenuSeparator = 1 << 7,
};

struct MenuEntry
{
    const char *name; // control name; empty for a separator
    const char *parent; // name of the heading or submenu it belongs to; empty for a heading
    const char *caption; // design caption (a string-table number or a fixed text), UTF-8
    std::uint16_t flags = MenuNone;
    const char *shortcut = ""; // key sequence, e.g. "Ctrl+Z"
};

// The whole menu bar, headings first in display order, each followed by its
// items (children always after their parent).
std::span<const MenuEntry> menuTable();

} // namespace veltra::shell
