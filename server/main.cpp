// quorvel-server: answers the generation requests of the "G" modes from
// models learned from learning schedules; also trains and evaluates them.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "server/Evaluation.h"
#include "server/HttpServer.h"
#include "server/ModelStore.h"
#include "server/Service.h"
#include "server/Training.h"

namespace {

using namespace quorvel::server;

std::string defaultModelsFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return (exe.parent_path() / ".." / "share" / "quorvel" / "models").lexically_normal().string();
}

int serve(const std::string& listen, const std::string& models, const std::optional<std::uint64_t>& seed) {
  ModelStore store;
  for (const std::string& problem : store.loadFolder(models))
    std::cerr << "quorvel-server: model refused: " << problem << "\n";
  if (store.size() == 0) std::cerr << "quorvel-server: no models loaded from " << models << "\n";
  const Service service(store, seed);
  return serveUntilSignalled(service, listen, store.size());
}

int train(TrainRequest request) {
  std::string written;
  if (const std::string problem = trainModelFile(request, written); !problem.empty()) {
    std::cerr << "quorvel-server train: " << problem << "\n";
    return 1;
  }
  std::cerr << "quorvel-server train: wrote " << written << "\n";
  return 0;
}

int evaluateModels(const std::string& models, const EvaluationInputs& inputs) {
  ModelStore store;
  for (const std::string& problem : store.loadFolder(models))
    std::cerr << "quorvel-server evaluate: model refused: " << problem << "\n";
  if (!evaluate(store, inputs, std::cout)) {
    std::cerr << "quorvel-server evaluate: no figure could be computed (models named \"" << inputs.name << "\"/\""
              << inputs.drumsName << "\" in " << models << ", schedules in " << inputs.schedules << ")\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Quorvel generation server: answers /gen and /genre from learned models."};
  std::string models = defaultModelsFolder();
  std::string listen = "127.0.0.1:44218";
  std::optional<std::uint64_t> seed;
  app.add_option("--models", models, "folder of model files")->capture_default_str();

  CLI::App* serveCommand = app.add_subcommand("serve", "answer requests (the default)");
  serveCommand->fallthrough();
  app.add_option("--listen", listen, "address and port to listen on")->capture_default_str();
  app.add_option("--seed", seed, "draw every reply from this seed (for tests)");

  TrainRequest trainRequest;
  CLI::App* trainCommand = app.add_subcommand("train", "learn a model from learning schedules");
  trainCommand->fallthrough();
  trainCommand->add_option("--type", trainRequest.type, "request type 0..5")->required()->check(CLI::Range(0, 5));
  trainCommand->add_option("--genre", trainRequest.genre, "genre number the model answers to")->required()
      ->check(CLI::Range(0, 999999));
  trainCommand->add_option("--name", trainRequest.name, "model name shown in the client's lists")->required();
  trainCommand->add_option("--order", trainRequest.order, "context length (default: the type's)")
      ->check(CLI::Range(1, 16));
  trainCommand->add_option("schedules", trainRequest.schedules,
                           "schedule file (types 0, 4), or source and target schedules (types 1, 2, 3, 5)")
      ->required()->check(CLI::ExistingFile);
  EvaluationInputs evaluation;
  CLI::App* evaluateCommand = app.add_subcommand("evaluate", "quality figures of the models on held-out schedules");
  evaluateCommand->fallthrough();
  evaluateCommand->add_option("--schedules", evaluation.schedules,
                              "folder of train-type<T>[-source|-target].txt and valid-... schedules")
      ->required()->check(CLI::ExistingDirectory);
  evaluateCommand->add_option("--chorales", evaluation.chorales, "chorale corpus (JSON) for the chorales' own rates");
  evaluateCommand->add_option("--name", evaluation.name, "name of the melody models to measure")->capture_default_str();
  evaluateCommand->add_option("--drums-name", evaluation.drumsName, "name of the drum models to measure")
      ->capture_default_str();
  evaluateCommand->add_option("--limit", evaluation.limit, "held-out lines per figure at most")->capture_default_str();
  app.require_subcommand(0, 1);
  CLI11_PARSE(app, argc, argv);

  if (trainCommand->parsed()) {
    trainRequest.modelsFolder = models;
    return train(trainRequest);
  }
  if (evaluateCommand->parsed()) return evaluateModels(models, evaluation);
  return serve(listen, models, seed);
}
