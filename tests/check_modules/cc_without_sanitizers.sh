#!/bin/sh
# A C compiler that has no sanitizers: it refuses their flags.
for arg in "$@"; do
    case "$arg" in
    -fsanitize=*)
        echo "cc_without_sanitizers: no sanitizers here" >&2
        exit 1
        ;;
    esac
done
exec cc "$@"
