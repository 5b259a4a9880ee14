#!/usr/bin/env bash
# Runs scripts/check-layers on small made-up trees: a tree that keeps the
# layering passes, and each kind of break is caught and named. Then the
# checkout itself must pass.
# Usage: check-layers-test.sh <source root>
set -euo pipefail

root=$(cd "$1" && pwd)
check="$root/scripts/check-layers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# A clean tree: every folder using what it may.
make_tree() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree"/{finance,widgets,calculators,reports/engine,app/settings}
  printf '#include "finance/MortLib.h"\n#include <cmath>\n#include <sys/types.h>\n' \
    >"$work/tree/finance/A.cpp"
  printf '#include "app/settings/BuyerValues.h"\n#include <QWidget>\n' >"$work/tree/widgets/W.h"
  printf '#include "app/settings/Prefs.h"\n#include "finance/Errors.h"\n' \
    >"$work/tree/calculators/P.cpp"
  printf '  #  include "app/settings/IniFile.h"\n' >"$work/tree/reports/engine/R.cpp"
  printf '#include "widgets/Guard.h"\n#include "app/settings/IniFile.h"\n' \
    >"$work/tree/app/settings/S.cpp"
  printf '#include "app/Main.h"\n' >"$work/tree/app/Pages.cpp"
}

expect() { # name, expected exit code, expected text in the output ("" for none)
  local out rc=0
  out=$("$check" "$work/tree" 2>&1) || rc=$?
  if [ "$rc" != "$2" ] || { [ -n "$3" ] && ! grep -qF -- "$3" <<<"$out"; }; then
    echo "FAIL: $1 (exit $rc)"
    echo "$out"
    failed=1
  else
    echo "PASS: $1"
  fi
}

make_tree
expect "clean tree" 0 "includes point one way"

make_tree
echo '#include <QString>' >>"$work/tree/finance/A.cpp"
expect "Qt in finance" 1 "finance/A.cpp:4: QString: finance/ is plain C++: no Qt"

make_tree
echo '#include <QtCore/QString>' >>"$work/tree/finance/A.cpp"
expect "Qt module path in finance" 1 "QtCore/QString: finance/ is plain C++"

make_tree
echo '#include "widgets/Guard.h"' >>"$work/tree/finance/A.cpp"
expect "widgets in finance" 1 "widgets/Guard.h: finance/ uses nothing outside finance/"

make_tree
echo '#include "app/Main.h"' >>"$work/tree/calculators/P.cpp"
expect "main window in a page" 1 "calculators/P.cpp:3: app/Main.h: only app/settings/"

make_tree
echo '#include "app/Pages.h"' >>"$work/tree/reports/engine/R.cpp"
expect "app in the report engine" 1 "reports/engine/R.cpp:2: app/Pages.h"

make_tree
echo '#include <app/Main.h>' >>"$work/tree/widgets/W.h"
expect "app in widgets, angle brackets" 1 "widgets/W.h:3: app/Main.h"

make_tree
echo '#include "app/Main.h"' >>"$work/tree/app/settings/S.cpp"
expect "main window in settings" 1 "app/settings/ uses nothing of the main window"

make_tree
echo '#include "../Main.h"' >>"$work/tree/app/settings/S.cpp"
expect "climbing out of settings" 1 "../Main.h: climbs out of its folder"

make_tree
echo '#include "app/Main.h"' >>"$work/tree/calculators/P.cpp"
echo '#include <QString>' >>"$work/tree/finance/A.cpp"
expect "two breaks counted" 1 "2 include(s) break the layering"

if "$check" "$root" >/dev/null 2>&1; then
  echo "PASS: this checkout"
else
  echo "FAIL: this checkout"
  "$check" "$root" || true
  failed=1
fi
exit "$failed"
