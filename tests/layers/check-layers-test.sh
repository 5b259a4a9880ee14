#!/usr/bin/env bash
# Runs scripts/check-layers on small made-up trees: a tree that keeps the
# layering passes, and each row of the layer table refuses one include it
# does not allow. Then the checkout itself must pass.
# Usage: check-layers-test.sh <source root>
set -euo pipefail

root=$(cd "$1" && pwd)
check="$root/scripts/check-layers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
engine=engine

# A clean tree: every folder using what it may.
make_tree() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree"/{finance,state,widgets,calculators,reports,$engine,app/settings,app/help,tests}
  printf '#include "finance/MortLib.h"\n#include <cmath>\n#include <sys/types.h>\n' \
    >"$work/tree/finance/A.cpp"
  printf '#include "finance/Errors.h"\n#include <QString>\n' >"$work/tree/state/St.h"
  printf '#include "finance/Errors.h"\n#include <QWidget>\n' >"$work/tree/widgets/W.h"
  printf '#include "widgets/Guard.h"\n#include "state/IniFile.h"\n' \
    >"$work/tree/app/settings/S.cpp"
  printf '#include "widgets/Guard.h"\n#include "app/help/HelpTopics.h"\n' \
    >"$work/tree/app/help/H.cpp"
  printf '  #  include "%s/Drawing.h"\n#include <QPainter>\n' "$engine" >"$work/tree/$engine/E.cpp"
  printf '#include "state/PageState.h"\n#include "%s/Report.h"\n#include "finance/Errors.h"\n' \
    "$engine" >"$work/tree/calculators/P.cpp"
  printf '#include "%s/Report.h"\n#include "widgets/Format.h"\n' "$engine" \
    >"$work/tree/reports/R.cpp"
  printf '#include "calculators/HspPage.h"\n#include "reports/Print.h"\n#include "app/Main.h"\n' \
    >"$work/tree/app/Pages.cpp"
  printf '#include "app/Main.h"\n#include "tests/support/TestSupport.h"\n' >"$work/tree/tests/T.cpp"
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

# One bad include added to the clean tree: file, include, expected message.
refuses() {
  make_tree
  echo "#include $3" >>"$work/tree/$2"
  expect "$1" 1 "$4"
}

make_tree
expect "clean tree" 0 "includes point one way"

refuses "Qt in finance" finance/A.cpp '<QString>' "finance/A.cpp:4: QString: finance/ is plain C++: no Qt"
refuses "Qt module path in finance" finance/A.cpp '<QtCore/QString>' "QtCore/QString: finance/ is plain C++"
refuses "widgets in finance" finance/A.cpp '"widgets/Guard.h"' "widgets/Guard.h: finance/ may not use widgets/"
refuses "widgets in state" state/St.h '"widgets/Guard.h"' "state/St.h:3: widgets/Guard.h: state/ may not use widgets/"
refuses "a page in state" state/St.h '"calculators/CmpPage.h"' "state/ may not use calculators/"
refuses "preferences in state" state/St.h '"app/settings/Prefs.h"' "state/ may not use app/settings/"
refuses "preferences in a page" calculators/P.cpp '"app/settings/Prefs.h"' "calculators/ may not use app/settings/"
refuses "a page in widgets" widgets/W.h '<calculators/HspPage.h>' "widgets/W.h:3: calculators/HspPage.h: widgets/ may not use calculators/"
refuses "a page in settings" app/settings/S.cpp '"calculators/BwPage.h"' "app/settings/ may not use calculators/"
refuses "main window in settings" app/settings/S.cpp '"app/Main.h"' "app/settings/ may not use app/"
refuses "settings in help" app/help/H.cpp '"app/settings/Prefs.h"' "app/help/ may not use app/settings/"
refuses "widgets in the engine" "$engine/E.cpp" '"widgets/Guard.h"' "$engine/ may not use widgets/"
refuses "a report in a page" calculators/P.cpp '"reports/Print.h"' "calculators/P.cpp:4: reports/Print.h: calculators/ may not use reports/"
refuses "main window in a page" calculators/P.cpp '"app/Main.h"' "calculators/ may not use app/"
refuses "a page in a report" reports/R.cpp '"calculators/HspPage.h"' "reports/ may not use calculators/"
refuses "help in a report" reports/R.cpp '"app/help/HelpTopics.h"' "reports/ may not use app/help/"
refuses "tests in the program" app/Pages.cpp '"tests/support/TestSupport.h"' "app/ may not use tests/: it is no layer"
refuses "climbing out of settings" app/settings/S.cpp '"../Main.h"' "../Main.h: climbs out of its folder"

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
