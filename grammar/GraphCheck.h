#pragma once

#include <string>

namespace baudrill {

class BNFarticle;

// Checks the shapes the matcher relies on: one begin and one end; every edge
// mirrored by a back reference and every back reference by an edge; link1 only
// and always on splitters, input1 only and always on unitors; every splitter
// paired with exactly one unitor; each fork's region and branch, and each loop's
// forward path and back edge, lead to the right end; every element reachable.
// Returns an empty string for a sound graph, else the first problem found.
std::string CheckGraph(const BNFarticle& article);

}  // namespace baudrill
