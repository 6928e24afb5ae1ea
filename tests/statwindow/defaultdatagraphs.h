#pragma once
// Graph creation on the generated default data folder: the folder, a fixture
// that gives every test a fresh run state, and Tokyo's municipalities with
// the 2020 total population as the first item of a graph.
#include "graphcreatebed.h"
#include "runstateguard.h"

#include <QString>
#include <gtest/gtest.h>

namespace veltra::test {

// The data folder and the 2020 census tables in it, each ending in a
// separator.
QString defaultDataFolder();
QString defaultR2Folder();

class DefaultDataGraphTest : public ::testing::Test
{
protected:
    RunStateGuard guard;
};

// Chooses the map kind at the municipal level, selects Tokyo's 62
// municipalities and puts the total population into list 0. A fatal
// failure when the census table does not give 62 (wrap the call in
// ASSERT_NO_FATAL_FAILURE).
void chooseTokyoTotalPopulation(GraphCreateBed &bed, int mapKind);

} // namespace veltra::test
