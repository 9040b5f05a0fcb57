#include "binary/kernels/Dividers.h"

#include <algorithm>
#include <numeric>

std::vector<int> ListDividers(int n) {
  if (n < 1) return {};
  if (n == 1) return {1, 1};
  std::vector<int> small;
  std::vector<int> large;
  for (int d = 1; static_cast<long long>(d) * d <= n; ++d) {
    if (n % d != 0) continue;
    small.push_back(d);
    if (d != n / d) large.push_back(n / d);
  }
  small.insert(small.end(), large.rbegin(), large.rend());
  return small;
}

int CountCommonDividers(int a, int b) {
  if (a < 1 || b < 1) return 0;
  // The common divisors of a and b are the divisors of their greatest common divisor.
  const int g = std::gcd(a, b);
  int count = 0;
  for (int d = 1; static_cast<long long>(d) * d <= g; ++d) {
    if (g % d == 0) count += d == g / d ? 1 : 2;
  }
  return count;
}

std::vector<int> ListCommonDividers(int a, int b) {
  if (a < 1 || b < 1) return {};
  const int g = std::gcd(a, b);
  if (g == 1) return {1};
  return ListDividers(g);
}

BorderProposal ProposeBorderSize(int lines, int columns, int range) {
  BorderProposal proposal;
  if (lines < 1 || columns < 1) return proposal;
  range = std::min(range, std::min(lines, columns));
  if (range < 2) return proposal;
  const int lineLow = lines - range + 1, lineHigh = lines - 1;
  const int columnLow = columns - range + 1, columnHigh = columns - 1;
  const int top = std::min(lineHigh, columnHigh);

  // Divisor counts by sieve.
  std::vector<int> divisorCount(static_cast<std::size_t>(top) + 1, 0);
  for (int d = 1; d <= top; ++d) {
    for (int m = d; m <= top; m += d) ++divisorCount[static_cast<std::size_t>(m)];
  }
  // A pair (l, c) has d(gcd(l, c)) common divisors. The greatest count over the pairs is the greatest
  // d(g) over the g that have a multiple in both ranges, and a pair reaches it exactly when such a g
  // of that count divides both of its sizes.
  auto hasMultiple = [](int g, int low, int high) { return high / g * g >= low; };
  int best = 0;
  for (int g = 1; g <= top; ++g) {
    if (divisorCount[static_cast<std::size_t>(g)] > best && hasMultiple(g, lineLow, lineHigh) &&
        hasMultiple(g, columnLow, columnHigh)) {
      best = divisorCount[static_cast<std::size_t>(g)];
    }
  }
  std::vector<int> reaching;
  for (int g = 1; g <= top; ++g) {
    if (divisorCount[static_cast<std::size_t>(g)] == best && hasMultiple(g, lineLow, lineHigh) &&
        hasMultiple(g, columnLow, columnHigh)) {
      reaching.push_back(g);
    }
  }
  int line = lineHigh + 1;
  for (int g : reaching) line = std::min(line, (lineLow + g - 1) / g * g);
  int column = 0;
  for (int g : reaching) {
    if (line % g == 0) column = std::max(column, columnHigh / g * g);
  }
  proposal.Found = true;
  proposal.Lines = line;
  proposal.Columns = column;
  proposal.CommonDividers = best;
  return proposal;
}
