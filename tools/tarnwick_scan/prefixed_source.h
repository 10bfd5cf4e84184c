// UnprefixedSource: a "%prefix NAME" scanner source read as if it had been
// generated without the prefix, so that the table and action readers know
// one set of names.
//
// The prefix is what stands before "_charclass:", the first table's label
// ("__yylexer" in a source without prefix, which is then returned as it is).
// Its action procedures NAMErunN, labels NAME_..., constants #NAMEStateX and
// #NAMETokenX, its table constants (#NAMECompact ...) and the literal calls
// NAMEBegin(, NAMEPushState(, NAMEPopState( and NAMELess( get the names
// without prefix; only whole names change, so "MyNAMErun0" stays.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick_scan {

// The prefix of `source`; empty when it has no class table label.
std::string ScannerPrefix(std::string_view source);

std::string UnprefixedSource(std::string_view source);

}  // namespace tarnwick_scan
