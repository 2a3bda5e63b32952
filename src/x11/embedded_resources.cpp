#include "embedded_resources.h"

#include <strings.h>

namespace tintspot::x11 {

// In the generated file.
extern const EmbeddedResource kEmbeddedResources[];
extern const std::size_t kEmbeddedResourceCount;

const EmbeddedResource* FindEmbeddedResource(const char* name, ResourceKind kind) {
  if (name == nullptr) return nullptr;
  for (std::size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& resource = kEmbeddedResources[i];
    // Resource names are not case-sensitive on Windows.
    if (resource.kind == kind && strcasecmp(resource.name, name) == 0) return &resource;
  }
  return nullptr;
}

std::vector<std::uint8_t> EmbeddedBytes(const char* name, ResourceKind kind) {
  const EmbeddedResource* resource = FindEmbeddedResource(name, kind);
  if (resource == nullptr) return {};
  return std::vector<std::uint8_t>(resource->data, resource->data + resource->size);
}

}  // namespace tintspot::x11
