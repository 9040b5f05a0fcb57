#pragma once
// Divisor lists of image sizes, and the search of a slightly smaller image size with the most box
// sides that tile it exactly.
#include <vector>

// The divisors of n in ascending order, 1 first and n last; n = 1 gives the two entries 1, 1, as the
// dialogs show it. Empty when n < 1.
std::vector<int> ListDividers(int n);

// Number of common divisors of a and b (1 included); 0 when a or b is below 1.
int CountCommonDividers(int a, int b);

// The common divisors of a and b, ascending, from 1 to their greatest common divisor.
std::vector<int> ListCommonDividers(int a, int b);

struct BorderProposal {
  bool Found = false;      // false when the range leaves no candidate size
  int Lines = 0;           // l*
  int Columns = 0;         // c*
  int CommonDividers = 0;  // number of common divisors of l* and c*
};

// Among the sizes l x c with L - range < l < L and C - range < c < C, the greatest number of common
// divisors; of the pairs reaching it, the smallest l and, for it, the greatest c. The range is clamped
// to min(L, C); a range below 2 gives no candidate.
BorderProposal ProposeBorderSize(int lines, int columns, int range);
