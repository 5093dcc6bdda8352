#include "levels/switch_rules.h"

#include <algorithm>
#include <array>

namespace karvan {

namespace {

// Grouped by level; a switch with two rows drives two platforms in the listed order.
constexpr std::array<TSwitchRule, 48> Rules = {{
    {2, {9, 3}, {7, 3}, PosTop, false},        {3, {1, 3}, {0, 1}, PosBottom, false},
    {3, {2, 1}, {3, 3}, PosTop, false},        {5, {0, 3}, {0, 3}, PosTop, false},
    {5, {1, 1}, {2, 4}, PosTop, false},        {5, {1, 1}, {0, 3}, PosTop, true},
    {5, {3, 0}, {4, 4}, PosTop, false},        {5, {3, 0}, {2, 4}, PosTop, true},
    {8, {1, 3}, {0, 4}, PosTop, false},        {8, {1, 1}, {2, 4}, PosTop, false},
    {8, {1, 1}, {0, 4}, PosTop, true},         {8, {3, 0}, {4, 4}, PosTop, false},
    {8, {3, 0}, {2, 4}, PosTop, true},         {9, {6, 0}, {9, 1}, PosLeft, false},
    {9, {9, 11}, {9, 11}, PosTop, false},      {11, {9, 9}, {9, 10}, PosTop, false},
    {11, {9, 8}, {5, 9}, PosRight, false},     {11, {9, 1}, {5, 1}, PosRight, false},
    {11, {9, 5}, {7, 6}, PosTop, false},       {11, {7, 3}, {7, 4}, PosTop, false},
    {12, {11, 7}, {12, 8}, PosTop, false},     {12, {14, 11}, {12, 9}, PosBottom, false},
    {12, {11, 10}, {10, 9}, PosBottom, false}, {12, {14, 10}, {11, 9}, PosBottom, false},
    {12, {14, 10}, {12, 9}, PosBottom, true},  {13, {1, 7}, {1, 8}, PosTop, false},
    {13, {7, 7}, {7, 8}, PosTop, false},       {14, {44, 2}, {43, 1}, PosTop, false},
    {15, {8, 11}, {8, 11}, PosTop, false},     {15, {9, 10}, {6, 11}, PosTop, false},
    {16, {11, 6}, {9, 6}, PosTop, false},      {16, {14, 10}, {14, 11}, PosLeft, false},
    {16, {14, 14}, {12, 14}, PosTop, false},   {16, {14, 17}, {10, 20}, PosTop, false},
    {16, {19, 16}, {16, 19}, PosRight, false}, {16, {22, 16}, {21, 18}, PosTop, false},
    {16, {9, 13}, {8, 15}, PosTop, false},     {18, {8, 0}, {22, 3}, PosTop, false},
    {21, {17, 2}, {17, 4}, PosTop, false},     {22, {19, 8}, {21, 4}, PosLeft, false},
    {24, {21, 12}, {20, 12}, PosTop, false},   {24, {31, 20}, {36, 12}, PosTop, false},
    {24, {30, 19}, {30, 20}, PosTop, false},   {24, {52, 3}, {51, 3}, PosRight, false},
    {24, {53, 3}, {51, 1}, PosRight, false},   {24, {54, 3}, {50, 1}, PosBottom, false},
    {24, {59, 11}, {58, 12}, PosTop, false},   {24, {55, 21}, {58, 24}, PosTop, false},
}};

}  // namespace

std::span<const TSwitchRule> SwitchRulesOf(int Level) {
  const auto First = std::find_if(Rules.begin(), Rules.end(),
                                  [Level](const TSwitchRule& Rule) { return Rule.Level == Level; });
  const auto Last = std::find_if(First, Rules.end(),
                                 [Level](const TSwitchRule& Rule) { return Rule.Level != Level; });
  return {First, Last};
}

}  // namespace karvan
