#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what the measuring scripts need besides the game's own packages (see install-deps.sh).
set -euo pipefail
exec bash "$(dirname "$0")/install-deps.sh" measure
