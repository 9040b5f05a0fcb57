#pragma once
// Widgets need a QApplication; the benchmarks make one, offscreen, the first time a case asks.
namespace bench {

void EnsureApplication();

}  // namespace bench
