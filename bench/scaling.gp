# Plots generation time against the number of rules (keyword lexers) and
# against the number of DFA states (blow-up workloads), both axes
# logarithmic, so that a straight line of slope k means time ~ x^k.
# Variables from report.py: workdir, png and the legend texts t_<view>_<tool>.
set terminal pngcairo size 1200,500 font ",10"
set output png
set datafile missing "NaN"
set logscale xy
set grid
set key top left
set ylabel "wall time, median (s)"
set multiplot layout 1,2
set title "Keyword lexers: time against rules"
set xlabel "keywords"
plot workdir."/scaling-keywords.dat" using 1:2 with linespoints lw 2 title t_keywords_ours, \
     "" using 1:3 with linespoints title t_keywords_flex, \
     "" using 1:4 with linespoints title t_keywords_re2c
set title "(a|b)*a(a|b)^n: time against DFA states"
set xlabel "DFA states (ours)"
plot workdir."/scaling-blowup.dat" using 1:2 with linespoints lw 2 title t_blowup_ours, \
     "" using 1:3 with linespoints title t_blowup_flex, \
     "" using 1:4 with linespoints title t_blowup_re2c
unset multiplot
