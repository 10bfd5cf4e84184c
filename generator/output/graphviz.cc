// RunGraphvizStep: one graph text serves both the dot file and Graphviz's
// copy, so the rendering shows the same graph even when the named dot file
// could not be written.
#include "output/graphviz.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "base/whole_file.h"
#include "output/dot_file.h"

namespace tarnwick {

namespace {

std::string DotScratchFile(const GraphvizJob& job) {
  return job.tempStem + "dot";
}

std::string GraphCopyFile(const GraphvizJob& job) {
  return job.tempStem + "gv";
}

// For the log: the program and its arguments as one readable line.
std::string CommandText(const std::string& program, const std::vector<std::string>& arguments) {
  std::string text = program;
  for (const std::string& argument : arguments) {
    text += ' ';
    bool plain = !argument.empty() && argument.find_first_of(" \t\"'") == std::string::npos;
    if (plain) {
      text += argument;
    } else {
      text += '"';
      text += argument;
      text += '"';
    }
  }
  return text;
}

// The step's own scratch files, removed when it returns. Should the process
// end in the middle of the step, the driver removes them by their stem.
class GraphvizScratch {
 public:
  GraphvizScratch() = default;
  GraphvizScratch(const GraphvizScratch&) = delete;
  GraphvizScratch& operator=(const GraphvizScratch&) = delete;
  ~GraphvizScratch() {
    for (const std::string& path : paths_)
      std::remove(path.c_str());
  }
  void Add(const std::string& path) { paths_.push_back(path); }

 private:
  std::vector<std::string> paths_;
};

void RenderPdf(std::string_view graph, const GraphvizJob& job, Log& log, ProgramRunner& runner,
               GraphvizScratch& scratch) {
  log.LogLine("Run Graphviz...");
  std::string program = job.graphvizPath.empty() ? runner.FindOnPath("dot") : job.graphvizPath;
  if (program.empty()) {
    log.LogLine(
        "Graphviz not run: Yarrowkit.ini names no Graphviz program and there is no dot on the "
        "search path; no PDF was written");
    return;
  }

  std::string graphCopy = GraphCopyFile(job);
  if (graph.starts_with(kByteOrderMark)) graph.remove_prefix(kByteOrderMark.size());
  scratch.Add(graphCopy);
  if (!WriteWholeFile(graphCopy, graph)) {
    log.LogLine("Graphviz not run: could not write its input file " + graphCopy);
    return;
  }

  std::vector<std::string> arguments{"-Tpdf", "-o" + job.pdfFile, graphCopy};
  ProgramRunner::Result result = runner.Run(program, arguments);
  if (!result.started) {
    std::string line = "Graphviz could not be started: " + CommandText(program, arguments);
    if (!result.problem.empty()) line += " (" + result.problem + ")";
    log.LogLine(line);
  } else if (result.exitCode != 0) {
    std::string line = "Graphviz failed with exit code " + std::to_string(result.exitCode) + ": " +
                       CommandText(program, arguments);
    log.LogLine(line);
  } else {
    return;
  }
  // Whatever a failed Graphviz left is no drawing, and must not be placed.
  std::remove(job.pdfFile.c_str());
}

}  // namespace

std::vector<std::string> GraphvizScratchFiles(const GraphvizJob& job) {
  std::vector<std::string> files;
  if (job.pdfFile.empty()) return files;
  if (job.dotFile.empty()) files.push_back(DotScratchFile(job));
  files.push_back(GraphCopyFile(job));
  return files;
}

void RunGraphvizStep(const Dfa& dfa, const GraphvizJob& job, Log& log, ProgramRunner& runner) {
  if (job.dotFile.empty() && job.pdfFile.empty()) return;
  GraphvizScratch scratch;
  const std::string graph = DotFileText(dfa);

  std::string dotFile = job.dotFile;
  if (dotFile.empty()) {
    dotFile = DotScratchFile(job);
    scratch.Add(dotFile);
  }
  log.LogLine("Write dotfile...");
  if (!WriteWholeFile(dotFile, graph)) log.LogLine("Could not write the dot file " + dotFile);

  if (!job.pdfFile.empty()) RenderPdf(graph, job, log, runner, scratch);
}

}  // namespace tarnwick
