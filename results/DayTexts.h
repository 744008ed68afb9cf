#pragma once
#include <string>

// The eight texts of the day result, worked out in one pass over the creel as it is now (CP932),
// and the creel's ヘラブナ weight, which the fish shop and the tournaments go on to read.
struct DayTexts {
  std::string carpCount;
  std::string carpWeight;
  std::string carpLargest;
  std::string count;
  std::string totalWeight;
  std::string largestKind;
  std::string largestSize;
  std::string masterName;
  double carpWeightKg = 0.0;
};

DayTexts CurrentDayTexts();
