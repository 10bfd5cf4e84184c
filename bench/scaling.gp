# Plots generation time against the number of rules (keyword lexers) and
# against the number of DFA states (blow-up workloads), both axes
# logarithmic, so that a straight line of slope k means time ~ x^k. Solid
# lines are wall time, dashed lines CPU time (user + system), medians.
# Variables from report.py: workdir, png and the legend texts
# t_<view>_<tool>_<measure>.
set terminal pngcairo size 1400,560 font ",10"
set output png
set datafile missing "NaN"
set logscale xy
set grid
set key top left
set ylabel "seconds (median)"
set style line 1 lc rgb "#1b7837" lw 2 pt 7
set style line 2 lc rgb "#2166ac" lw 1 pt 5
set style line 3 lc rgb "#b2182b" lw 1 pt 9
set style line 4 lc rgb "#1b7837" lw 2 pt 6 dt 2
set style line 5 lc rgb "#2166ac" lw 1 pt 4 dt 2
set style line 6 lc rgb "#b2182b" lw 1 pt 8 dt 2
set multiplot layout 1,2
set title "Keyword lexers: time against rules"
set xlabel "keywords (plus 4 other rules)"
f = workdir."/scaling-keywords.dat"
plot f using 1:2 with linespoints ls 1 title t_keywords_ours_wall, \
     f using 1:3 with linespoints ls 2 title t_keywords_flex_wall, \
     f using 1:4 with linespoints ls 3 title t_keywords_re2c_wall, \
     f using 1:5 with linespoints ls 4 title t_keywords_ours_cpu, \
     f using 1:6 with linespoints ls 5 title t_keywords_flex_cpu, \
     f using 1:7 with linespoints ls 6 title t_keywords_re2c_cpu
set title "(a|b)*a(a|b)^n: time against DFA states"
set xlabel "DFA states (ours)"
f = workdir."/scaling-blowup.dat"
plot f using 1:2 with linespoints ls 1 title t_blowup_ours_wall, \
     f using 1:3 with linespoints ls 2 title t_blowup_flex_wall, \
     f using 1:4 with linespoints ls 3 title t_blowup_re2c_wall, \
     f using 1:5 with linespoints ls 4 title t_blowup_ours_cpu, \
     f using 1:6 with linespoints ls 5 title t_blowup_flex_cpu, \
     f using 1:7 with linespoints ls 6 title t_blowup_re2c_cpu
unset multiplot
