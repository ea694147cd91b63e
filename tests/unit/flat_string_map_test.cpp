#include "platform/flat_string_map.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace stats {
namespace {

// Random insertions, lookups and erasures over a small key space, so probe runs wrap around
// the index, entries move into the holes erasures leave, and the map grows and is cleared,
// compared step by step with std::map.
TEST(FlatStringMap, AgreesWithAnOrderedMapOverRandomInsertionsErasuresAndClears) {
  std::mt19937 random(7);
  FlatStringMap<int> map;
  std::map<std::string, int> model;
  for (int step = 0; step < 200000; ++step) {
    const std::string key = "K" + std::to_string(random() % 300);
    switch (random() % 10) {
      case 0: case 1: case 2:
        map.erase(key);
        model.erase(key);
        break;
      case 3:
        if (random() % 500 == 0) {
          map.clear();
          model.clear();
        }
        break;
      default:
        map[key] = step;
        model[key] = step;
    }
    const int* found = map.find(key);
    ASSERT_EQ(found != nullptr, model.count(key) == 1) << key << " at step " << step;
    if (found) {
      ASSERT_EQ(*found, model[key]);
    }
    ASSERT_EQ(map.size(), model.size());
  }
  for (const auto& [key, value] : model) {
    ASSERT_NE(map.find(key), nullptr) << key;
    EXPECT_EQ(*map.find(key), value);
  }
}

}  // namespace
}  // namespace stats
