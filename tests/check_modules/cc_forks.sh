#!/bin/sh
# A C compiler that starts more processes than the build's cgroup allows
# while it compiles a submission's file; the harness's own files it compiles.
for arg in "$@"; do
    case "$arg" in
    objects/file*)
        for k in $(seq 100); do
            sleep 30 &
        done
        exit 1
        ;;
    esac
done
exec cc "$@"
