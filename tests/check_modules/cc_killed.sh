#!/bin/sh
# A C compiler killed while it compiles a submission's file, as the build's
# memory or time limit would kill it; the harness's own files it compiles.
for arg in "$@"; do
    case "$arg" in
    objects/file*)
        kill -KILL $$
        ;;
    esac
done
exec cc "$@"
