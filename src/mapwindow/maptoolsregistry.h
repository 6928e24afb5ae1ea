#pragma once
// Registers the map window's tool modes with the dispatcher: the datum
// comparison window (70), the map image cut (72) and the area reference (50,
// also run by 91 after the data reference window opens).
namespace veltra::mapwindow {

void registerMapTools();

} // namespace veltra::mapwindow
