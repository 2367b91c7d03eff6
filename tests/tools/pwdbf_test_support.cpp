#include "pwdbf_test_support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <utility>

namespace pw::testing {

ToolRun PwdbfTest::Run(const std::vector<std::string>& arguments, const std::string& input,
                       const std::vector<std::string>& launcher) const {
  std::vector<std::string> words = launcher;
  words.push_back(PWDBF_PATH);
  words.insert(words.end(), arguments.begin(), arguments.end());
  return RunProgram(std::move(words), input);
}

ToolRun PwdbfTest::RunProgram(std::vector<std::string> words, const std::string& input) const {
  // Files, not pipes: the tool's output may exceed a pipe's buffer.
  const std::string inPath = Path(".stdin");
  const std::string outPath = Path(".stdout");
  const std::string errPath = Path(".stderr");
  WriteFile(inPath, input);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) {
    ADD_FAILURE() << "fork failed";
    return {};
  }
  if (pid == 0) {
    const int in = open(inPath.c_str(), O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) {
      _exit(127);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ToolRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

ToolRun PwdbfTest::RunOk(const std::vector<std::string>& arguments,
                         const std::string& input) const {
  ToolRun run = Run(arguments, input);
  std::string command = "pwdbf";
  for (const std::string& word : arguments) command += " " + word;
  EXPECT_EQ(run.exitCode, 0) << command << "\n" << run.err << run.out;
  return run;
}

std::string PwdbfTest::Create(const std::string& name, const std::string& fields,
                              const std::string& index) const {
  const std::string table = Path(name);
  std::vector<std::string> arguments = {"create", table, "--fields", fields};
  if (!index.empty()) arguments.insert(arguments.end(), {"--index", index});
  RunOk(arguments);
  return table;
}

void PwdbfTest::Append(const std::string& table, const Json& records) const {
  const std::string file = Path(".records.json");
  WriteFile(file, records.dump());
  RunOk({"append", table, "--json", file});
}

std::vector<Json> PwdbfTest::Dump(const std::string& table,
                                  const std::vector<std::string>& options) const {
  std::vector<std::string> arguments = {"dump", table};
  arguments.insert(arguments.end(), options.begin(), options.end());
  return JsonLines(RunOk(arguments).out);
}

void PwdbfTest::WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string PwdbfTest::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<Json> JsonLines(const std::string& text) {
  std::vector<Json> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    Json value = Json::parse(line, nullptr, false);
    if (value.is_discarded()) {
      ADD_FAILURE() << "not JSON: " << line;
      continue;
    }
    lines.push_back(std::move(value));
  }
  return lines;
}

std::vector<Json> Column(const std::vector<Json>& records, const std::string& field) {
  std::vector<Json> values;
  for (const Json& record : records) values.push_back(record.value(field, Json()));
  return values;
}

}  // namespace pw::testing
