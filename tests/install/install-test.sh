#!/usr/bin/env bash
# Installs a build tree into a scratch DESTDIR and checks, as a user of the installed program
# would see it:
#   - every file lands where the install rules say, and nothing outside the prefix;
#   - the desktop entry is valid and names an installed program, icon and file types;
#   - the installed program, started from a read-only prefix, reads its pictures (and skins
#     and pen markers when installed) from share/kmr5150 and writes its settings into
#     $XDG_CONFIG_HOME/kmr5150; a portable folder keeps its settings beside the program
#     while it may write there and falls back to the XDG folder when it may not;
#   - the Debian package holds the same files and names its runtime dependencies.
#
# Environment (set by ctest): KMR_BUILD_DIR, KMR_BINDIR, KMR_DATADIR, KMR_PROGRAMS,
# KMR_ICON_SIZES (empty when no bitmap icons are rendered).
set -uo pipefail

build=${KMR_BUILD_DIR:?}
bindir=${KMR_BINDIR:-bin}
datadir=${KMR_DATADIR:-share}
programs=${KMR_PROGRAMS:-KMR5150 kmr5150-sim}
icon_sizes=${KMR_ICON_SIZES-}
data_folders=(Pictures PenData SkinsFile PdfDoc)

scratch=$(mktemp -d)
chmod 755 "$scratch"
cleanup() {
    chmod -R u+w "$scratch" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need_file() { [[ -f $1 ]] || fail "not installed: ${1#"$root"}"; }

# Runs a command as a user who cannot write a read-only folder: root may write anywhere,
# so as root the command runs as nobody.
if [[ $(id -u) -eq 0 ]]; then
    limited_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    limited_owner=65534:65534
else
    limited_user=()
    limited_owner=$(id -u):$(id -g)
fi

echo "== install into a scratch DESTDIR"
root=$scratch/root
if ! DESTDIR=$root cmake --install "$build" --prefix /usr > "$scratch/install.log" 2>&1; then
    cat "$scratch/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi
prefix=$root/usr
data=$prefix/$datadir/kmr5150

echo "== files land where the rules say"
for program in $programs; do
    [[ -x $prefix/$bindir/$program ]] || fail "program not installed: $bindir/$program"
done
installed_folders=()
for folder in "${data_folders[@]}"; do
    if [[ -d $build/$folder ]]; then
        installed_folders+=("$folder")
        diff -r "$build/$folder" "$data/$folder" > /dev/null || fail "$datadir/kmr5150/$folder differs from the build's"
    elif [[ -e $data/$folder ]]; then
        fail "$datadir/kmr5150/$folder installed without being built"
    fi
done
[[ -d $data/Pictures ]] || fail "no pictures in $datadir/kmr5150"
desktop=$prefix/$datadir/applications/kmr5150.desktop
mime=$prefix/$datadir/mime/packages/kmr5150.xml
rules=$prefix/lib/udev/rules.d/60-kmr5150.rules
need_file "$desktop"
need_file "$mime"
need_file "$rules"
need_file "$prefix/$datadir/icons/hicolor/scalable/apps/kmr5150.svg"
for size in $icon_sizes; do
    png=$prefix/$datadir/icons/hicolor/${size}x${size}/apps/kmr5150.png
    file -b "$png" 2> /dev/null | grep "^PNG image data, $size x $size," > /dev/null \
        || fail "icon ${size}x${size}: $(file -b "$png" 2>&1)"
done
outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[[ -z $outside ]] || fail "installed outside the prefix: $outside"
grep -q 'TAG+="uaccess"' "$rules" && grep -q 'SYMLINK+="kmr5150-' "$rules" && grep -q '5732' "$rules" \
    || fail "the udev rule does not give the instrument's port to the user with a stable name"

echo "== desktop entry and file types"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[[ -x $prefix/$bindir/$exec_program ]] || fail "Exec names $exec_program, which is not installed in $bindir"
grep -q '^Exec=[^ ]* %[fFuU]$' "$desktop" || fail "Exec does not pass the opened file to the program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -n $(find "$prefix/$datadir/icons/hicolor" -name "$icon.*" -print -quit) ]] \
    || fail "Icon names $icon, which is not in the hicolor theme"
mime_db=$scratch/mime
cp -r "$prefix/$datadir/mime" "$mime_db"
if update-mime-database "$mime_db" > "$scratch/mime.log" 2>&1; then
    for type_glob in application/x-kmr5150-measurement:vqm application/x-kmr5150-record:vqr; do
        type=${type_glob%%:*}
        grep -q ":$type:\*\.${type_glob##*:}$" "$mime_db/globs2" || fail "*.${type_glob##*:} is not $type"
        grep -q "^MimeType=.*$type;" "$desktop" || fail "the desktop entry does not open $type"
    done
else
    fail "update-mime-database rejects the file types: $(cat "$scratch/mime.log")"
fi

# Whether the trace $2 shows a file of folder $1 opened (a call cut by another thread's call
# shows no result on its line and counts).
opened() { grep "\"$1/[^\"]*\"" "$2" 2> /dev/null | grep -v '= -1 ' > /dev/null; }

# Starts the program of folder $1 as $2 ("limited" or "self") with XDG_CONFIG_HOME=$3,
# traces the files it opens, and waits until it has written SysSet.ini into $4 and opened a
# file of every data folder in $5... (paths). Then ends it. Fails on the deadline.
run_program() {
    local program_dir=$1 who=$2 config_home=$3 settings_dir=$4
    shift 4
    local folders=("$@")
    local run=$scratch/run-$RANDOM
    mkdir -p "$run/home" "$run/runtime"
    chmod 700 "$run/runtime"
    local runner=()
    if [[ $who == limited ]]; then
        runner=("${limited_user[@]}")
        chown -R "$limited_owner" "$run/home" "$run/runtime"
    fi
    chmod 755 "$run"
    strace -f -qq -e trace=openat,open -o "$run/trace" -- \
        sh -c 'echo $$ > "$0"; exec "$@"' "$run/pid" \
        ${runner[@]+"${runner[@]}"} env HOME="$run/home" XDG_CONFIG_HOME="$config_home" \
        XDG_RUNTIME_DIR="$run/runtime" QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
        "$program_dir/KMR5150" > "$run/out" 2>&1 &
    local tracer=$!
    local deadline=$((SECONDS + 120)) ready=0
    while ((SECONDS < deadline)); do
        if grep -qi '^\[CommAddress\]' "$settings_dir/SysSet.ini" 2> /dev/null; then
            ready=1
            for folder in "${folders[@]}"; do
                opened "$folder" "$run/trace" || ready=0
            done
            ((ready)) && break
        fi
        kill -0 "$tracer" 2> /dev/null || break
        sleep 0.2
    done
    local program
    program=$(cat "$run/pid" 2> /dev/null)
    if [[ -n $program ]]; then
        kill "$program" 2> /dev/null
        local end=$((SECONDS + 20))
        while kill -0 "$tracer" 2> /dev/null && ((SECONDS < end)); do sleep 0.2; done
        kill -KILL "$program" 2> /dev/null
    fi
    wait "$tracer" 2> /dev/null
    if ((!ready)); then
        fail "the program in ${program_dir#"$scratch"} did not write $settings_dir/SysSet.ini or open its data in time"
        for folder in "${folders[@]}"; do
            opened "$folder" "$run/trace" || fail "nothing opened in $folder"
        done
        sed 's/^/    program: /' "$run/out" | head -20 >&2
    fi
    TRACE=$run/trace
}

listing() { (cd "$1" && find . | sort); }

# The data folders the program reads while it starts; the record window reads PenData only
# when it first draws, and the handbook is opened on demand, so those two are checked by the
# install listing alone.
folder_paths() {
    local base=$1 f
    for f in Pictures SkinsFile; do
        [[ -d $base/$f ]] && printf '%s\n' "$base/$f"
    done
}

echo "== installed program, read-only prefix"
chmod -R a-w "$prefix"
before=$(listing "$prefix")
config=$scratch/config-installed
mkdir "$config"
chown "$limited_owner" "$config"
mapfile -t expected < <(folder_paths "$data")
run_program "$prefix/$bindir" limited "$config" "$config/kmr5150" "${expected[@]}"
! grep -q "\"$prefix/$bindir/\(Pictures\|PenData\|SkinsFile\|PdfDoc\)/" "$TRACE" \
    || fail "the installed program looked for its data beside itself"
[[ -f $config/kmr5150/SysSet.ini ]] || fail "no settings under \$XDG_CONFIG_HOME/kmr5150"
[[ $before == "$(listing "$prefix")" ]] || fail "the program changed its installed files"
chmod -R u+w "$prefix"

echo "== portable folder"
portable=$scratch/portable
mkdir "$portable"
cp "$prefix/$bindir/KMR5150" "$portable/"
cp -r "$data/." "$portable/"
chmod -R a+rX "$portable"
mapfile -t expected < <(folder_paths "$portable")
config=$scratch/config-portable
run_program "$portable" self "$config" "$portable" "${expected[@]}"
[[ ! -e $config ]] || fail "a writable portable folder made the XDG folder"

echo "== portable folder, read-only"
rm -f "$portable/SysSet.ini" "$portable/EnterInfo.ini"
chmod -R a-w "$portable"
config=$scratch/config-readonly
mkdir "$config"
chown "$limited_owner" "$config"
run_program "$portable" limited "$config" "$config/kmr5150" "${expected[@]}"
[[ ! -e $portable/SysSet.ini ]] || fail "settings written beside a read-only portable program"
chmod -R u+w "$portable"

echo "== Debian package"
package_dir=$scratch/package
if cpack --config "$build/CPackConfig.cmake" -G DEB -B "$package_dir" > "$scratch/cpack.log" 2>&1; then
    deb=$(ls "$package_dir"/kmr5150_*.deb 2> /dev/null | head -n1)
    if [[ -z $deb ]]; then
        fail "cpack made no package"
    else
        dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort > "$scratch/deb-files"
        (cd "$root" && find . ! -type d | sed 's|^\./||' | sort) > "$scratch/tree-files"
        diff "$scratch/tree-files" "$scratch/deb-files" > "$scratch/deb-diff" \
            || fail "the package's files differ from the install's: $(cat "$scratch/deb-diff")"
        depends=$(dpkg-deb -f "$deb" Depends)
        for dependency in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins \
            fonts-wqy-microhei fonts-liberation2; do
            [[ $depends == *"$dependency"* ]] || fail "the package does not depend on $dependency: $depends"
        done
        dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep 'postinst' > /dev/null || fail "no postinst in the package"
    fi
else
    fail "cpack: $(tail -20 "$scratch/cpack.log")"
fi

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install checks passed"
