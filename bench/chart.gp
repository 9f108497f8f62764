# The benchmark's chart: frame time per viewpoint with and without the
# allocator setting, and resident size over the memory run.
#   gnuplot -e "dir='DIR'" bench/chart.gp     reads DIR/frames.dat, DIR/memory.dat
#                                             writes DIR/performance.png
if (!exists("dir")) dir = "."
frames = dir."/frames.dat"
memory = dir."/memory.dat"
# Each panel is drawn from its own run; a panel whose run has not been made yet
# says so (make bench and make bench-memory each write one of the files).
hasFrames = int(system("test -s '".frames."' && echo 1 || echo 0"))
hasMemory = int(system("test -s '".memory."' && echo 1 || echo 0"))

set terminal pngcairo size 1200,480 font "sans,10"
set output dir."/performance.png"
set multiplot layout 1,2 title "Vellmoor on Mesa llvmpipe, 600x400 window" font "sans,12"

# Left: the first row of frames.dat is the floor (clear and swap only).
set title "Frame time per viewpoint, median of 5"
set grid ytics
if (hasFrames) {
    stats frames every ::0::0 using 2 nooutput
    floorMs = STATS_min
    set style data histograms
    set style histogram clustered gap 1
    set style fill solid 0.85 border -1
    set ylabel "ms per frame (lower is faster)"
    set yrange [0:*]
    set key top left
    plot frames every ::1 using 2:xtic(1) title "memory kept (the program)" lc rgb "#2a7ab0", \
         '' every ::1 using 3 title "memory returned (C library default)" lc rgb "#d9822b", \
         floorMs with lines dt 2 lc rgb "black" title sprintf("clear + swap floor, %.2f ms", floorMs)
} else {
    set label 1 "no frame run yet: make bench" at graph 0.5, 0.5 center
    unset key
    plot [0:1] [0:1] NaN notitle
    unset label 1
    set key
}

# Right: lowest and highest resident size over each 100 frames.
set title "Resident size while frames are drawn, start camera"
set style data lines
set xlabel "frames drawn"
set ylabel "MiB"
set yrange [*:*]
set autoscale xfix
set key below
if (hasMemory) {
    plot memory using 1:($2/1024) title "kept, lowest" lw 2 lc rgb "#2a7ab0", \
         '' using 1:($3/1024) title "kept, highest" dt 3 lc rgb "#2a7ab0", \
         '' using 1:($4/1024) title "returned, lowest" lw 2 lc rgb "#d9822b", \
         '' using 1:($5/1024) title "returned, highest" dt 3 lc rgb "#d9822b"
} else {
    set label 1 "no memory run yet: make bench-memory" at graph 0.5, 0.5 center
    unset key
    plot [0:1] [0:1] NaN notitle
}
unset multiplot
