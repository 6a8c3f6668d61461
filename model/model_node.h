#pragma once
// The node of the solution model: a solution, configuration, project, folder or
// file with its properties and children. Nodes are plain data: the solution model
// (solution_model.h) builds them, the resolvers read them, and no node calls up
// into the model that holds it.

#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/node_pool.h"
#include "model/property_map.h"
#include "support/path.h"

/// A solution, configuration, project, folder or file of the solution model. Every
/// node belongs to exactly one parent; removing it hands it to the caller.
class ModelNode {
 public:
  /// Fixed when the node is made.
  enum Kind : int8_t {
    Solution = 0,
    Configuration = 1,
    Project = 2,
    Folder = 3,
    File = 4,
    /// Any other tag of a solution file: kept and written back, never handled as one of the five.
    Untyped = -1,
  };

  /// The kind of a tag name; Untyped for tags other than the five.
  static Kind kindOfTag(std::string_view tagName);
  /// The tag name of a kind; null for Untyped.
  static const char* tagOfKind(Kind kind);

  explicit ModelNode(Kind kind);
  /// A node of the kind tagName names; an untyped node keeps the tag name.
  explicit ModelNode(std::string_view tagName);
  ModelNode(const ModelNode&) = delete;
  ModelNode& operator=(const ModelNode&) = delete;
  ~ModelNode();

  /// A node of kind in pool's memory (a model's nodes); deleting it gives the
  /// memory back to the pool, or to its page once the pool is gone.
  static std::unique_ptr<ModelNode> makeIn(NodePool& pool, Kind kind);
  static void* operator new(size_t size) { return ::operator new(size); }
  static void operator delete(ModelNode* node, std::destroying_delete_t);

  Kind kind() const { return kind_; }
  /// The tag the node is written with.
  std::string_view tagName() const;

  /// Inserts or replaces a property. A null value is stored as an empty one, so a
  /// stored property always reads as present.
  void setProperty(const QString& name, const QString& value);
  /// The stored value, or a null string when absent.
  QString property(const QString& name) const { return properties_.value(name); }
  bool hasProperty(const QString& name) const { return properties_.contains(name); }
  /// Removes a property; nothing when absent.
  void removeProperty(const QString& name);
  /// Names to values in key order (ordinal UTF-16), the order they are written in.
  const PropertyMap& properties() const { return properties_; }
  void setName(const QString& name);

  /// The name the node's own properties give: "Name" when not empty; else, when
  /// "file_name" holds a macro, its last component as written; else "<NULL>"
  /// without a "file_name". A solution's is its file's name, a project's or a
  /// configuration's empty. Nothing for a file or folder whose name is its
  /// resolved location's (MacroResolver::nameOf).
  std::optional<QString> ownName() const;

  /// The configuration child of that name, or null.
  ModelNode* configuration(const QString& name) const {
    return branch_ ? branch_->configurations.value(name) : nullptr;
  }
  bool hasConfigurations() const;

  /// Appends child and returns it; a configuration is entered by its name (a later
  /// one of the same name replaces an earlier one in the map).
  ModelNode* addChild(std::unique_ptr<ModelNode> child);
  /// Makes room for more children, so that adding them allocates no more.
  void reserveChildren(size_t more);
  /// Unlinks child and hands it to the caller (null when it is not a child); a
  /// configuration's name leaves the configurations map.
  std::unique_ptr<ModelNode> removeChild(ModelNode* child);
  /// Destroys the children that are not configurations.
  void removeContent();
  /// Puts replacement where child stood and destroys child.
  ModelNode* replaceChild(ModelNode* child, std::unique_ptr<ModelNode> replacement);

  /// The first child folder whose own name is name, from a by-name index built on
  /// first use; null when none. Folders named by their location are not in it
  /// (see foldersNamedByLocation).
  ModelNode* childFolderNamed(const QString& name) const;
  /// How many child folders take their name from their location.
  qsizetype foldersNamedByLocation() const;

  ModelNode* parent() const { return parent_; }
  /// Nearest ancestor-or-self of kind Project, or null.
  ModelNode* project() const;
  /// Nearest ancestor-or-self of kind Solution, or null.
  ModelNode* owningSolution() const;

  /// Iterates the children as plain pointers.
  class ChildIterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = ModelNode*;
    using difference_type = std::ptrdiff_t;
    using pointer = ModelNode**;
    using reference = ModelNode*;

    explicit ChildIterator(std::vector<std::unique_ptr<ModelNode>>::const_iterator position = {})
        : position_(position) {}
    ModelNode* operator*() const { return position_->get(); }
    ChildIterator& operator++() {
      ++position_;
      return *this;
    }
    bool operator==(const ChildIterator& other) const { return position_ == other.position_; }
    bool operator!=(const ChildIterator& other) const { return position_ != other.position_; }

   private:
    std::vector<std::unique_ptr<ModelNode>>::const_iterator position_;
  };
  struct ChildRange {
    ChildIterator first;
    ChildIterator last;
    ChildIterator begin() const { return first; }
    ChildIterator end() const { return last; }
  };
  ChildRange children() const;
  bool hasChildren() const { return branch_ && !branch_->children.empty(); }

  /// A solution's file, set when it is made or read and never computed again; its
  /// directory is the file's absolute directory at the time it was set, so later
  /// changes of the working directory do not move the solution.
  void setSolutionFile(const Path& file);
  const Path& solutionFile() const;
  const QString& solutionDirectory() const;

 private:
  struct FolderIndex;
  struct SolutionFile;
  /// What only some nodes have: children, an untyped node's tag, a solution's
  /// file. Most nodes of a solution are files, which have none of this: kept
  /// apart, a file node is its kind, parent and properties (72 bytes with its
  /// path property, where the parts in place took 136 and a second allocation).
  struct Branch {
    ~Branch();  // where FolderIndex and SolutionFile are complete
    std::vector<std::unique_ptr<ModelNode>> children;
    QMap<QString, ModelNode*> configurations;
    // Built on the first lookup and kept up to date by appends; any other change of
    // the child folders or of their names drops it until the next lookup.
    std::unique_ptr<FolderIndex> folderIndex;
    std::string untypedTag;
    std::unique_ptr<SolutionFile> solutionFile;
  };
  Branch& branch();
  void buildFolderIndex() const;
  void indexFolder(ModelNode* folder) const;
  /// A folder's name may have changed with property changed: the parent's folder
  /// index is built again when next used.
  void dropParentFolderIndex(const QString& changed);
  void dropFolderIndex();

  ModelNode* parent_ = nullptr;
  // Made when first needed; mutable for the folder index built on a lookup.
  mutable std::unique_ptr<Branch> branch_;
  // The kind and the flags below take the bytes the map leaves free at its end.
  [[no_unique_address]] PropertyMap properties_;
  Kind kind_;
  bool fromPool_ = false;

 public:
  /// On a solution read through an "import" element: written back as a reference.
  bool imported = false;
};

// A file node, with its path property in place, fits malloc's 80-byte blocks.
static_assert(sizeof(void*) != 8 || sizeof(ModelNode) <= 72);
