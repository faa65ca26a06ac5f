#!/usr/bin/env bash
# Runs the tile reader fuzz target for a bounded number of executions.
:
