#pragma once

#include "wall_link/PermutationTable.h"

// The permutation table of a tool (wallsim, wallctl): an explicit --table file wins; otherwise
// "<program>.table" beside the program or in the settings folder, and last the client's own override
// "BrisalClient.table" in the settings folder, so that the tools speak to the wall the client is set
// up for.
TableChoice chooseToolTable(const QString& programName, const QString& tableOption);
