#pragma once
// Where the library's samples lie in the main container.

#include <cstdint>
#include <vector>

#include "content/sound/LibrarySamples.h"

namespace zelo::content::sound {

/// The first sample's offset: a sample is only read when its offset is above 0, so the
/// container starts with a short block that names what it holds.
inline constexpr int32_t kContainerStart = 4096;

/// Plan indices in container order: the groups taken in turn, one sample each, so that the
/// front of the container, which a small installation caches, holds some of every group.
inline std::vector<int> ContainerOrder(const std::vector<PlannedSample>& plan) {
  std::vector<std::vector<int>> byGroup(kGroups + 1);
  for (size_t i = 0; i < plan.size(); ++i) byGroup[static_cast<size_t>(plan[i].group)].push_back(static_cast<int>(i));
  std::vector<int> order;
  for (size_t k = 0; order.size() < plan.size(); ++k) {
    for (auto& members : byGroup) {
      if (k < members.size()) order.push_back(members[k]);
    }
  }
  return order;
}

/// Each plan index's offset, given the container order and the sizes.
inline std::vector<int32_t> ContainerOffsets(const std::vector<int>& order, const std::vector<int>& sizes) {
  std::vector<int32_t> offsets(sizes.size(), 0);
  int64_t at = kContainerStart;
  for (int i : order) {
    offsets[static_cast<size_t>(i)] = static_cast<int32_t>(at);
    at += sizes[static_cast<size_t>(i)];
  }
  return offsets;
}

}  // namespace zelo::content::sound
