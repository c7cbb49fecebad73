#!/bin/sh
# Fails when a folder of the engine (ovcore/src/<folder>) includes a header of
# a folder on a higher floor. The floors, bottom up, as docs/architecture.md
# lists them; FLOOR_EXCEPTIONS names the includes still to be cut.
# Usage: check-floors.sh [source root]
root=${1:-$(dirname "$0")/..}
cd "$root/ovcore/src" || exit 2

FLOORS='
core
text dates langvars
settings reportini netsettings profile
logpath logread logodbc logparse fetch
tables
dns filter listing
run count
history odbc
write keywords company graphs
engine
'

# Known reaches upward still to be cut, "file-pattern header" (the pattern a
# shell glob: * matches any text), each with its reason above it.
FLOOR_EXCEPTIONS='
'

# One line per quoted include naming a folder: "file header".
grep -rHo '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]*/[^"]*"' -- */ |
    sed 's|:[^"]*"| |; s|"$||' |
    awk -v floors="$FLOORS" -v exceptions="$FLOOR_EXCEPTIONS" -v folders="$(ls -d -- */)" '
    function glob_to_regex(g) {
        gsub(/[.+?^$()|{}\[\]]/, "\\\\&", g)
        gsub(/\*/, ".*", g)
        return "^" g "$"
    }
    BEGIN {
        n = split(floors, lines, "\n")
        for (i = 1; i <= n; i++) {
            if (lines[i] !~ /[^ ]/)
                continue
            level++
            k = split(lines[i], names, " ")
            for (j = 1; j <= k; j++)
                floor[names[j]] = level
        }
        n = split(exceptions, lines, "\n")
        for (i = 1; i <= n; i++) {
            if (lines[i] ~ /^#/ || split(lines[i], parts, " ") != 2)
                continue
            pattern[++count] = glob_to_regex(parts[1])
            header[count] = parts[2]
        }
        n = split(folders, names, "\n")
        for (i = 1; i <= n; i++) {
            sub(/\/$/, "", names[i])
            if (names[i] != "" && !(names[i] in floor)) {
                print "check-floors: ovcore/src/" names[i] " is on no floor (add it to FLOORS and the architecture)"
                bad = 1
            }
        }
    }
    {
        file = $1; included = $2
        own = file; sub(/\/.*/, "", own)
        target = included; sub(/\/.*/, "", target)
        if (!(own in floor) || !(target in floor) || floor[target] <= floor[own])
            next
        for (i = 1; i <= count; i++)
            if (file ~ pattern[i] && included == header[i])
                next
        print "check-floors: " file " includes " included ", a floor above " own "/"
        bad = 1
    }
    END {
        if (!bad)
            print "check-floors: every include goes down or level"
        exit bad
    }'
