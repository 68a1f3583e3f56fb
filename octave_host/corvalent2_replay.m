## -*- texinfo -*-
## @deftypefn  {} {@var{Y} =} corvalent2_replay (@var{U})
## @deftypefnx {} {@var{Y} =} corvalent2_replay (@var{U}, "via", @var{how})
## Run the Corvalent2 block on recorded input rows, as @code{corvalent2 replay} does.
##
## @var{U} is an N-by-13 real numeric matrix, one output step per row, with the columns
## iabc1_a, iabc1_b, iabc1_c, theta1, omega1, iabc2_a, iabc2_b, iabc2_c, theta2, omega2,
## udc, iqCommand, steerAngle.  Values are taken as single precision (doubles are
## rounded to the nearest single).  @var{Y} is the N-by-6 single matrix of outputs:
## vabcNorm1_a, vabcNorm1_b, vabcNorm1_c, vabcNorm2_a, vabcNorm2_b, vabcNorm2_c.
##
## The module on Octave's path is installed into a host record (installing call, sample
## times by host flag 101, start) and starts from the zero state of a freshly loaded
## block: any earlier state of Corvalent2 in this session is discarded.  Each row then
## goes through the installed output method (@var{how} "slot", the default) or through
## host flag 104 (@var{how} "flag").
## @end deftypefn
function Y = corvalent2_replay (U, varargin)
  if (nargin < 1)
    error ("Corvalent2:replay:missingInput", "corvalent2_replay: the input rows U are missing");
  endif
  if (! isnumeric (U) || ! isreal (U))
    error ("Corvalent2:replay:nonNumericInput",
           "corvalent2_replay: U must be a real numeric matrix, not %s%s", ...
           ifelse_text (isnumeric (U), "complex ", ""), class (U));
  endif
  if (ndims (U) != 2 || columns (U) != 13)
    error ("Corvalent2:replay:wrongColumnCount",
           "corvalent2_replay: U must have 13 columns (iabc1_a ... steerAngle), not %s",
           strjoin (arrayfun (@num2str, size (U), "UniformOutput", false), "-by-"));
  endif
  via_flag = replay_via (varargin);
  ## A freshly loaded block: Octave unloads the module and loads it again on the next call.
  clear ("Corvalent2");
  [Y, failure] = corvalent2_drive ("replay", single (full (U)), via_flag);
  if (! isempty (failure))
    error (failure.identifier, "corvalent2_replay: %s", failure.message);
  endif
endfunction

function via_flag = replay_via (options)
  if (isempty (options))
    via_flag = false;
    return;
  endif
  if (numel (options) != 2 || ! ischar (options{1}) || ! strcmpi (options{1}, "via")
      || ! ischar (options{2}) || ! any (strcmpi (options{2}, {"slot", "flag"})))
    error ("Corvalent2:replay:badOption",
           "corvalent2_replay: the only option is \"via\", followed by \"slot\" or \"flag\"");
  endif
  via_flag = strcmpi (options{2}, "flag");
endfunction

function text = ifelse_text (condition, yes, no)
  if (condition)
    text = yes;
  else
    text = no;
  endif
endfunction
