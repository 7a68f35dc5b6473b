// The models a server answers from, by request type and genre number.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "server/ModelFile.h"
#include "server/Query.h"

namespace quorvel::server {

class ModelStore {
 public:
  // Loads every model file in the folder, in name order. A file that cannot
  // be used is left out and named in the returned problems; the rest load.
  std::vector<std::string> loadFolder(const std::string& folder);
  // False (and a problem text) when the type already has that genre.
  bool add(int type, NamedModel model, std::string& problem);

  const NamedModel* find(int type, int genre) const;
  const NamedModel* findByName(int type, const std::string& name) const;
  std::size_t size() const;

  // The reply to "/genre": per type a comma list of entries such as
  // "0chorales"; the six lists separated by one blank.
  std::string genreList() const;

 private:
  std::array<std::vector<NamedModel>, kRequestTypes> byType_;
};

}  // namespace quorvel::server
