#!/usr/bin/env bash
# Runs a desktop-metadata validator on a file; exits 77 (skipped) with a
# clear reason when the validator is not installed.
set -u
tool="$1"; shift
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "SKIP: $tool is not installed (scripts/install-deps installs it)"
  exit 77
fi
exec "$tool" "$@"
