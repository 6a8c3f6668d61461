#pragma once
// The node of the solution model: an XML element that carries a sorted map of
// string properties and a map of its configuration children.

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <iterator>
#include <typeinfo>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "support/path.h"
#include "model/property_map.h"
#include "xml/xml_node.h"

class ProjectSystem;

/// A solution, configuration, project, folder or file of the solution model.
/// Properties live in the element's own map, not in the XML attributes; the
/// XML child list is the model's child list.
class ProjectElement : public XMLElement {
 public:
  /// Fixed by the tag name given to the constructor.
  enum Kind : int32_t {
    Solution = 0,
    Configuration = 1,
    Project = 2,
    Folder = 3,
    File = 4,
    /// Any other tag (such as "import"): never handled as one of the five.
    Untyped = -1,
  };

  /// The kind of a tag name; Untyped for tags other than the five.
  static Kind kindOfTag(std::string_view tagName);
  /// The tag name of a kind; null for any other value.
  static const char* tagOfKind(Kind kind);

  /// system is the project system whose macros and solution directory the
  /// element's location resolution uses; it may be null (no expansion then).
  ProjectElement(std::string tagName, ProjectSystem* system);
  ~ProjectElement() override;

  Kind kind() const { return kind_; }
  ProjectSystem* projectSystem() const { return system_; }

  /// Inserts or replaces a property and sets modified. A null value is stored as
  /// an empty one, so a stored property always reads as present.
  void setProperty(const QString& name, const QString& value);
  /// The stored value, or a null string when absent.
  QString property(const QString& name) const { return properties_.value(name); }
  bool hasProperty(const QString& name) const { return properties_.contains(name); }
  /// Removes a property (setting modified); nothing when absent.
  void removeProperty(const QString& name);
  /// Property names in key order (ordinal UTF-16).
  QStringList propertyNames() const { return properties_.keys(); }
  const PropertyMap& properties() const { return properties_; }

  void setName(const QString& name);
  /// "Name" when non-empty; else the file name of "file_name" (its unexpanded last
  /// component when it holds macros, else the location resolved in "Common");
  /// else "<NULL>".
  QString name() const;
  /// Stores "file_name" and drops the location cache without setting modified.
  void setFileName(const QString& path);

  /// The configuration child of that name, or null.
  ProjectElement* configuration(const QString& name) const { return configurations_.value(name); }
  const QMap<QString, ProjectElement*>& configurations() const { return configurations_; }
  /// Enters a configuration child that was linked by the XML layer (the reader)
  /// into the configurations map; a later one of the same name replaces an earlier one.
  void enterConfiguration(ProjectElement* configuration);

  /// Appends child (O(1)), enters a configuration into the map, sets modified.
  ProjectElement* addChild(std::unique_ptr<ProjectElement> child);
  /// The first child folder, in child order, whose name() is name; null if none.
  /// Answered from a by-name index of the child folders, so a parent with many
  /// folders does not make each lookup a scan.
  ProjectElement* childFolder(const QString& name) const;
  /// Unlinks child and hands it to the caller (null when it is not a child); a
  /// configuration's name leaves the configurations map. The XML layer keeps the
  /// child's parent link, so the caller re-links or destroys it.
  std::unique_ptr<ProjectElement> removeElementChild(ProjectElement* child);

  /// The parent when it is a model element, else null.
  ProjectElement* parentElement() const { return fromNode(parent()); }
  /// node as a model element, or null when it is another kind of XML node.
  static ProjectElement* fromNode(XMLNode* node);
  /// Nearest ancestor-or-self of kind Project, or null.
  ProjectElement* project() const;
  /// Nearest ancestor-or-self of kind Solution, or null.
  ProjectElement* owningSolution() const;

  /// Fills the location cache for configurationName unless it is current. File
  /// names with macros are resolved again on every call (they depend on the
  /// configuration); a change of "project_directory" is not seen by elements
  /// that were resolved before it.
  void resolveLocation(const QString& configurationName) const;
  /// Sets the location explicitly (solutions); it is never recomputed. directory()
  /// becomes its absolute directory as of now, so later changes of the working
  /// directory do not move the solution.
  void setLocation(const Path& location);
  const Path& location() const;
  /// The directory that relative paths of this element and its files are based on.
  const QString& directory() const;
  /// "file_name" after macro expansion, before it is joined to directory().
  const QString& expandedFileName() const;
  bool hasMacroFileName() const { return location_ && location_->hasMacroFileName; }
  bool locationValid() const { return location_ && location_->valid; }

  bool isModified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

  /// On a solution: configuration name to the configurations it inherits, in order.
  QMap<QString, QStringList> inheritedConfigurations;
  /// On a solution: the modification time of its file when created, loaded or saved.
  QDateTime lastModified;
  /// On a solution loaded through an "import" element: written back as a reference.
  bool imported = false;

  /// Iterates the children that are model elements, skipping other XML nodes.
  class ChildIterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = ProjectElement*;
    using difference_type = std::ptrdiff_t;
    using pointer = ProjectElement**;
    using reference = ProjectElement*;

    explicit ChildIterator(XMLNode* node = nullptr) : element_(firstElementFrom(node)) {}
    ProjectElement* operator*() const { return element_; }
    ChildIterator& operator++() {
      element_ = firstElementFrom(element_->nextSibling());
      return *this;
    }
    bool operator==(const ChildIterator& other) const { return element_ == other.element_; }
    bool operator!=(const ChildIterator& other) const { return element_ != other.element_; }

   private:
    static ProjectElement* firstElementFrom(XMLNode* node) {
      for (; node; node = node->nextSibling())
        if (ProjectElement* element = fromNode(node)) return element;
      return nullptr;
    }
    ProjectElement* element_;
  };
  struct ChildRange {
    XMLNode* first;
    ChildIterator begin() const { return ChildIterator(first); }
    ChildIterator end() const { return ChildIterator(); }
  };
  ChildRange children() const { return ChildRange{firstChild()}; }

  // Every change of the child list passes through these, so the folder index and the
  // project system's project index stay in step however children are linked (the
  // model, the XML parser, the XML layer).
  void appendChild(std::unique_ptr<XMLNode> node) override;
  XMLNode* prependChild(std::unique_ptr<XMLNode> node) override;
  std::unique_ptr<XMLNode> removeChild(XMLNode* node) override;
  std::unique_ptr<XMLNode> replaceChild(XMLNode* oldChild, std::unique_ptr<XMLNode> replacement) override;
  void insertAfter(XMLNode* reference, std::unique_ptr<XMLNode> chain) override;
  std::unique_ptr<XMLNode> takeChildren() override;
  void clearChildren() override;

 private:
  struct FolderIndex;
  /// name() when the element's own properties decide it; nullopt when it comes from
  /// the resolved location (a "file_name" without macros and no "Name").
  std::optional<QString> nameFromProperties() const;
  void indexFolder(ProjectElement* folder) const;
  void buildFolderIndex() const;
  /// The element's name may have changed: a folder's parent builds its folder index
  /// again when next used, and a project's system its project index.
  void dropNameIndexes();
  void childListChanged();
  void dropFileLocation();
  void resolveFileLocation(const QString& configurationName) const;
  void resolveProjectDirectory() const;

  Kind kind_;
  bool modified_ = false;
  ProjectSystem* system_;
  QMap<QString, ProjectElement*> configurations_;
  PropertyMap properties_;
  // Built on the first lookup and kept up to date by appends; any other change of
  // the child folders or of their names drops it (null) until the next lookup.
  mutable std::unique_ptr<FolderIndex> folderIndex_;
  // The location cache, filled on demand by resolveLocation. Made on first use:
  // most files of a conversion never resolve their location, and a solution of
  // many thousand files then does without it.
  struct LocationCache {
    bool valid = false;
    bool hasMacroFileName = false;
    Path location;
    QString directory;
    QString expandedFileName;
  };
  LocationCache& locationCache() const;
  mutable std::unique_ptr<LocationCache> location_;
};

/// Clears modified on element and its descendants; with all false it does not
/// descend into nested (imported) solutions.
void clearModified(ProjectElement* element, bool all);

// Model trees hold model elements almost only, so the exact-type test answers
// first and the general cast runs only for other nodes; parent and child walks
// run for every file of a conversion.
inline ProjectElement* ProjectElement::fromNode(XMLNode* node) {
  if (!node) return nullptr;
  if (typeid(*node) == typeid(ProjectElement)) return static_cast<ProjectElement*>(node);
  return dynamic_cast<ProjectElement*>(node);
}
