#pragma once
// The look of the status bar's three date selectors (panels 4 "今日",
// 5 "未指定", 6 "指定日"): the panel of the current mode is enabled with the
// inset bevel, the others disabled with the raised bevel.
//
// Applying a stored setting marks only its own panel and leaves the others
// as they are; a choice by the user marks one and unmarks the other two.
namespace veltra::shell {

// Panel `panel` (4, 5 or 6) enabled and inset; others untouched.
void markDatePanel(int panel);
// Panel `panel` enabled and inset, the other two disabled and raised.
void selectDatePanel(int panel);
// True when the panel is enabled and inset (for tests); false without a frame.
bool datePanelSelected(int panel);

} // namespace veltra::shell
