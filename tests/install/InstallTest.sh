#!/usr/bin/env bash
# The install tree: every file a desktop expects, valid metadata, and a launcher that gives a
# user of a system-wide install a program folder of their own with the demo catalogue.
# InstallTest.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > /dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for file in bin/modelmanager bin/modeltool libexec/modelmanager/modelmanager \
            libexec/modelmanager/data/model.RMF libexec/modelmanager/data/remote.db \
            libexec/modelmanager/data/Model0101.hmt \
            share/applications/com.quorin.ModelManager.desktop \
            share/icons/hicolor/scalable/apps/com.quorin.ModelManager.svg \
            share/metainfo/com.quorin.ModelManager.metainfo.xml \
            share/man/man1/modeltool.1.gz share/man/man1/modelmanager.1.gz \
            share/bash-completion/completions/modeltool share/doc/modelmanager/copyright \
            share/doc/modelmanager/changelog.gz; do
    [[ -e "$prefix/$file" ]] || fail "$file is not installed"
done
[[ -x "$prefix/bin/modelmanager" && -x "$prefix/bin/modeltool" ]] || fail "not executable"
"$prefix/bin/modeltool" check "$prefix/libexec/modelmanager/data/model.RMF" ||
    fail "the installed catalogue does not pass modeltool check"
if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/com.quorin.ModelManager.metainfo.xml" \
        > /dev/null || fail "AppStream metadata"
fi
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/com.quorin.ModelManager.desktop" ||
        fail "desktop entry"
fi

# Installed for everyone (read-only here; MODELMANAGER_HOME chooses the user's folder even for
# root, who may write anywhere): the launcher sets up the user's own folder and starts the
# program from there; it keeps running until it is ended.
chmod -R a-w "$prefix"
export MODELMANAGER_HOME="$work/home/modelmanager" QT_QPA_PLATFORM=offscreen
status=0
timeout 5 "$prefix/bin/modelmanager" > /dev/null 2>&1 || status=$?
[[ $status -eq 124 ]] || fail "the program did not keep running (status $status)"
[[ -x "$MODELMANAGER_HOME/modelmanager" ]] || fail "no program in the user's folder"
cmp -s "$MODELMANAGER_HOME/data/model.RMF" "$prefix/libexec/modelmanager/data/model.RMF" ||
    fail "the user's data folder is not the demo catalogue"
# A second start keeps what the user's folder holds.
echo changed > "$MODELMANAGER_HOME/data/remote.db"
timeout 5 "$prefix/bin/modelmanager" > /dev/null 2>&1 || true
[[ "$(cat "$MODELMANAGER_HOME/data/remote.db")" == changed ]] || fail "the user's data was replaced"
echo "install tree complete"
