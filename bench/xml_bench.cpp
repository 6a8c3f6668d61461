// Speed of the XML layer on a solution-shaped file of about 20 MB, made in memory:
// our parse and our write beside QDomDocument::setContent on the same bytes.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDomDocument>
#include <string>

#include "xml/xml_document.h"

namespace {

constexpr size_t targetSize = 20 * 1000 * 1000;

void addConfiguration(XMLElement& parent, const char* name, int project) {
  auto configuration = std::make_unique<XMLElement>("configuration");
  configuration->setAttribute("Name", name);
  configuration->setAttribute("build_output_directory", "$(ProjectDir)/Output/$(Configuration)");
  configuration->setAttribute("c_preprocessor_definitions",
                              "PROJECT=" + std::to_string(project) + ";USE_FEATURE_A;NAME=\"quoted & <marked>\"");
  configuration->setAttribute("c_user_include_directories", "$(ProjectDir)/include;$(ProjectDir)/drivers/inc");
  configuration->setAttribute("gcc_optimization_level", "Level 1");
  parent.appendChild(std::move(configuration));
}

std::unique_ptr<XMLElement> makeFolder(int project, int folder, int files) {
  auto element = std::make_unique<XMLElement>("folder");
  element->setAttribute("Name", "Module " + std::to_string(folder) + " \xC3\xA9t\xC3\xA9");
  auto filter = std::make_unique<XMLElement>("configuration");
  filter->setAttribute("Name", "Common");
  filter->setAttribute("filter", "c;cpp;cxx;cc;h;s;asm;inc");
  element->appendChild(std::move(filter));
  for (int file = 0; file < files; ++file) {
    auto fileElement = std::make_unique<XMLElement>("file");
    fileElement->setAttribute("file_name", "../src/project_" + std::to_string(project) + "/module_" +
                                               std::to_string(folder) + "/source_file_" + std::to_string(file) +
                                               (file % 7 == 0 ? "_a&b.c" : ".c"));
    element->appendChild(std::move(fileElement));
  }
  return element;
}

std::unique_ptr<XMLElement> makeProject(int project) {
  auto element = std::make_unique<XMLElement>("project");
  element->setAttribute("Name", "project_" + std::to_string(project));
  addConfiguration(*element, "Common", project);
  addConfiguration(*element, "Debug", project);
  addConfiguration(*element, "Release", project);
  for (int folder = 0; folder < 10; ++folder) element->appendChild(makeFolder(project, folder, 500));
  return element;
}

// Adds projects until the written file reaches the target size.
const std::string& solutionText() {
  static const std::string text = [] {
    XMLDocument document;
    document.doctype = "Orbelin_Project_File";
    document.root = std::make_unique<XMLElement>("solution");
    document.root->setAttribute("Name", "Benchmark");
    document.root->setAttribute("target", "8");
    document.root->setAttribute("version", "2");
    std::string written;
    for (int project = 0; written.size() < targetSize; ++project) {
      document.root->appendChild(makeProject(project));
      if (project % 8 == 7) written = document.toString(2, 75);
    }
    return written;
  }();
  return text;
}

void ourParse(benchmark::State& state) {
  const std::string& text = solutionText();
  for (auto _ : state) {
    XMLDocument document;
    document.parse(text);
    benchmark::DoNotOptimize(document.root);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void ourWrite(benchmark::State& state) {
  XMLDocument document;
  document.parse(solutionText());
  size_t size = 0;
  for (auto _ : state) {
    const std::string written = document.toString(2, 75);
    size = written.size();
    benchmark::DoNotOptimize(written.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

void domParse(benchmark::State& state) {
  const QByteArray bytes = QByteArray::fromStdString(solutionText());
  for (auto _ : state) {
    QDomDocument document;
    benchmark::DoNotOptimize(document.setContent(bytes));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

BENCHMARK(ourParse)->Name("xml_parse/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(domParse)->Name("xml_parse/QDomDocument")->Unit(benchmark::kMillisecond);
BENCHMARK(ourWrite)->Name("xml_write/ours")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
